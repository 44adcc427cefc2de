#include "DateTime.h"

#include "WideText.h"

namespace platform {

// The zone rule in force at each instant (dynamic daylight time), as the file dialogs show it.
TDateTime LocalAgeFromInstant(const TInstant& instant) {
  const FILETIME time = FileTimeFromInstant(instant);
  SYSTEMTIME utc{}, local{};
  if (!FileTimeToSystemTime(&time, &utc) ||
      !SystemTimeToTzSpecificLocalTimeEx(nullptr, &utc, &local))
    return MissingAge;
  return EncodeDateTime({local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute,
                         local.wSecond, int(instant.Nanoseconds / 1'000'000)});
}

std::optional<TInstant> InstantFromLocalAge(TDateTime age) {
  const DateTimeParts p = DecodeDateTime(age);
  if (p.Year < 1601 || p.Year > 30827)
    return std::nullopt;
  const SYSTEMTIME local{WORD(p.Year),   WORD(p.Month),  0, WORD(p.Day), WORD(p.Hour),
                         WORD(p.Minute), WORD(p.Second), WORD(p.MilliSecond)};
  SYSTEMTIME utc{};
  FILETIME time{};
  if (!TzSpecificLocalTimeToSystemTimeEx(nullptr, &local, &utc) ||
      !SystemTimeToFileTime(&utc, &time))
    return std::nullopt;
  return InstantFromFileTime(time);
}

TDateTime Now() {
  FILETIME now{};
  GetSystemTimePreciseAsFileTime(&now);
  return LocalAgeFromInstant(InstantFromFileTime(now));
}

} // namespace platform
