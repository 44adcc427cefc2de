#include "DateTime.h"

#include <cmath>

namespace platform {

namespace {
constexpr std::int64_t UnixEpochDays = 25569; // 1970-01-01 as a day count

bool IsLeap(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }
} // namespace

bool IsValidDate(int year, int month, int day) {
  static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1)
    return false;
  return day <= days[month - 1] + (month == 2 && IsLeap(year) ? 1 : 0);
}

// Howard Hinnant's civil-date algorithms, shifted to the 1899-12-30 epoch.
std::int64_t DaysFromCivil(int year, int month, int day) {
  const std::int64_t y = year - (month <= 2 ? 1 : 0);
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const std::int64_t yoe = y - era * 400;
  const std::int64_t doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468 + UnixEpochDays;
}

DateTimeParts CivilFromDays(std::int64_t days) {
  const std::int64_t z = days - UnixEpochDays + 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const std::int64_t doe = z - era * 146097;
  const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const std::int64_t mp = (5 * doy + 2) / 153;
  DateTimeParts parts;
  parts.Day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  parts.Month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  parts.Year = static_cast<int>(yoe + era * 400 + (parts.Month <= 2 ? 1 : 0));
  return parts;
}

TDateTime EncodeDateTime(const DateTimeParts& p) {
  const std::int64_t day = DaysFromCivil(p.Year, p.Month, p.Day);
  const std::int64_t ms =
      ((static_cast<std::int64_t>(p.Hour) * 60 + p.Minute) * 60 + p.Second) * 1000 + p.MilliSecond;
  const double time = static_cast<double>(ms) / static_cast<double>(MSecsPerDay);
  // Before the epoch the time of day counts away from zero, as the suite's date type does.
  return day >= 0 ? static_cast<double>(day) + time : static_cast<double>(day) - time;
}

std::int64_t DateTimeToMSecs(TDateTime value) {
  const double whole = std::trunc(value);
  const auto day = static_cast<std::int64_t>(whole);
  const auto ms = static_cast<std::int64_t>(std::llround(std::fabs(value - whole) * MSecsPerDay));
  return day * MSecsPerDay + (value >= 0 ? ms : -ms);
}

TDateTime MSecsToDateTime(std::int64_t msecs) {
  std::int64_t day = msecs / MSecsPerDay;
  std::int64_t ms = msecs % MSecsPerDay;
  if (ms < 0) {
    day -= 1;
    ms += MSecsPerDay;
  }
  DateTimeParts p = CivilFromDays(day);
  p.Hour = static_cast<int>(ms / 3'600'000);
  p.Minute = static_cast<int>(ms / 60'000 % 60);
  p.Second = static_cast<int>(ms / 1000 % 60);
  p.MilliSecond = static_cast<int>(ms % 1000);
  return EncodeDateTime(p);
}

DateTimeParts DecodeDateTime(TDateTime value) {
  const double whole = std::trunc(value);
  auto day = static_cast<std::int64_t>(whole);
  auto ms = static_cast<std::int64_t>(std::llround(std::fabs(value - whole) * MSecsPerDay));
  if (ms >= MSecsPerDay) { // a fraction that rounds up to the next midnight
    ms -= MSecsPerDay;
    day += value >= 0 ? 1 : -1;
  }
  DateTimeParts p = CivilFromDays(day);
  p.Hour = static_cast<int>(ms / 3'600'000);
  p.Minute = static_cast<int>(ms / 60'000 % 60);
  p.Second = static_cast<int>(ms / 1000 % 60);
  p.MilliSecond = static_cast<int>(ms % 1000);
  return p;
}

} // namespace platform
