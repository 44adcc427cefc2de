#pragma once
#include <cstdint>
#include <optional>

namespace platform {

// Days since 1899-12-30; the fraction is the time of day. Millisecond precision.
using TDateTime = double;

inline constexpr TDateTime MissingAge = -1.0;
inline constexpr std::int64_t MSecsPerDay = 86'400'000;

struct DateTimeParts {
  int Year = 1899, Month = 12, Day = 30;
  int Hour = 0, Minute = 0, Second = 0, MilliSecond = 0;
  bool operator==(const DateTimeParts&) const = default;
};

bool IsValidDate(int year, int month, int day);
std::int64_t DaysFromCivil(int year, int month, int day); // days since 1899-12-30
DateTimeParts CivilFromDays(std::int64_t days);

// One encoding for every age in the program, so equal clock times give equal doubles.
TDateTime EncodeDateTime(const DateTimeParts& parts);
DateTimeParts DecodeDateTime(TDateTime value);

// Whole milliseconds since 1899-12-30 00:00 of the same clock.
std::int64_t DateTimeToMSecs(TDateTime value);
TDateTime MSecsToDateTime(std::int64_t msecs);

// An instant of the system's clock: seconds since 1970-01-01 UTC and the nanoseconds within.
struct TInstant {
  std::int64_t Seconds = 0;
  std::int32_t Nanoseconds = 0;
};

// Conversions between an instant and the local clock time of that instant (its own DST rule).
TDateTime LocalAgeFromInstant(const TInstant& instant);
std::optional<TInstant> InstantFromLocalAge(TDateTime age);

TDateTime Now();

} // namespace platform
