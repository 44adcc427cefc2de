#pragma once
// UTF-8 inside the program, UTF-16 at the Windows calls.
#include "DateTime.h"

#include <string>
#include <string_view>
#include <windows.h>

namespace platform {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);
// A path for the wide file calls, '\' between folders.
std::wstring WidePath(std::string_view path);

// FILETIME counts 100 ns since 1601-01-01 UTC.
inline constexpr std::int64_t UnixEpochIn100ns = 116'444'736'000'000'000;

inline TInstant InstantFromFileTime(const FILETIME& time) {
  const std::int64_t ticks =
      std::int64_t(std::uint64_t(time.dwHighDateTime) << 32 | time.dwLowDateTime) -
      UnixEpochIn100ns;
  std::int64_t seconds = ticks / 10'000'000, rest = ticks % 10'000'000;
  if (rest < 0) {
    rest += 10'000'000;
    --seconds;
  }
  return {seconds, std::int32_t(rest * 100)};
}

inline FILETIME FileTimeFromInstant(const TInstant& instant) {
  const std::uint64_t ticks =
      std::uint64_t(instant.Seconds * 10'000'000 + instant.Nanoseconds / 100 + UnixEpochIn100ns);
  return {DWORD(ticks & 0xFFFFFFFF), DWORD(ticks >> 32)};
}

} // namespace platform
