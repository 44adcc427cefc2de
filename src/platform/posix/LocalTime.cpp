#include "DateTime.h"

#include "PosixTime.h"

#include <cerrno>
#include <ctime>
#include <mutex>

namespace platform {

namespace {
// The C library reloads its zone rules inside these calls without a lock its callers can see.
std::mutex ZoneLock;
} // namespace

TDateTime LocalAgeFromInstant(const TInstant& instant) {
  tm local{};
  {
    std::lock_guard guard(ZoneLock);
    const time_t seconds = static_cast<time_t>(instant.Seconds);
    if (!localtime_r(&seconds, &local))
      return MissingAge;
  }
  DateTimeParts p{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                  local.tm_min,        local.tm_sec,      0};
  // A leap second reported by the clock reads as the last second of its minute.
  if (p.Second > 59)
    p.Second = 59;
  p.MilliSecond = static_cast<int>(instant.Nanoseconds / 1'000'000);
  return EncodeDateTime(p);
}

std::optional<TInstant> InstantFromLocalAge(TDateTime age) {
  const DateTimeParts p = DecodeDateTime(age);
  tm local{};
  local.tm_year = p.Year - 1900;
  local.tm_mon = p.Month - 1;
  local.tm_mday = p.Day;
  local.tm_hour = p.Hour;
  local.tm_min = p.Minute;
  local.tm_sec = p.Second;
  local.tm_isdst = -1; // let the zone rules decide, as Windows does for a given local time
  std::lock_guard guard(ZoneLock);
  errno = 0;
  const time_t seconds = mktime(&local);
  if (seconds == static_cast<time_t>(-1) && errno != 0)
    return std::nullopt;
  return TInstant{seconds, p.MilliSecond * 1'000'000};
}

TDateTime Now() {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  return LocalAgeFromInstant(InstantFromTimespec(now));
}

} // namespace platform
