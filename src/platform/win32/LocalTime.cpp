#include "DateTime.h"

#include "WideText.h"

namespace platform {

namespace {
// The "Ex" calls apply each year's own rule (dynamic daylight time); where the system lacks them
// (Wine), the calls without it apply the zone's current rule.
using ToLocalEx = BOOL(WINAPI*)(const DYNAMIC_TIME_ZONE_INFORMATION*, const SYSTEMTIME*, SYSTEMTIME*);

template <typename Call>
Call KernelCall(const char* name) {
  return reinterpret_cast<Call>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), name)));
}

bool ToLocal(const SYSTEMTIME& utc, SYSTEMTIME& local) {
  static const auto ex = KernelCall<ToLocalEx>("SystemTimeToTzSpecificLocalTimeEx");
  return ex ? ex(nullptr, &utc, &local) : SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local);
}

bool ToUtc(const SYSTEMTIME& local, SYSTEMTIME& utc) {
  static const auto ex = KernelCall<ToLocalEx>("TzSpecificLocalTimeToSystemTimeEx");
  return ex ? ex(nullptr, &local, &utc) : TzSpecificLocalTimeToSystemTime(nullptr, &local, &utc);
}
} // namespace

// The zone rule in force at each instant (dynamic daylight time), as the file dialogs show it.
TDateTime LocalAgeFromInstant(const TInstant& instant) {
  const FILETIME time = FileTimeFromInstant(instant);
  SYSTEMTIME utc{}, local{};
  if (!FileTimeToSystemTime(&time, &utc) ||
      !ToLocal(utc, local))
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
  if (!ToUtc(local, utc) ||
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
