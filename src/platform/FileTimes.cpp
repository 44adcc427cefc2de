#include "FileTimes.h"

namespace platform {

int PackedFileAge(std::string_view path) {
  const TDateTime age = GetFileAge(path);
  if (age == MissingAge)
    return -1;
  const DateTimeParts p = DecodeDateTime(age);
  if (p.Year < 1980 || p.Year > 2107)
    return -1;
  const unsigned date = unsigned(p.Year - 1980) << 9 | unsigned(p.Month) << 5 | unsigned(p.Day);
  const unsigned time = unsigned(p.Hour) << 11 | unsigned(p.Minute) << 5 | unsigned(p.Second / 2);
  return int(date << 16 | time);
}

} // namespace platform
