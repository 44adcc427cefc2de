#include "ReplacementFile.h"

#include "Errors.h"
#include "FileTimes.h"
#include "Paths.h"

#include <cstdio>
#include <cstdlib>

namespace platform {

namespace {
constexpr const char* WorkSuffix = ".norvane-part";

// A file system that keeps times coarser than this is not out of range, only coarse.
constexpr std::int64_t TimeSlackSeconds = 2;

std::string AgeText(TDateTime age) {
  const DateTimeParts p = DecodeDateTime(age);
  char text[48];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", p.Year, p.Month, p.Day, p.Hour,
                p.Minute, p.Second);
  return text;
}
} // namespace

std::string TReplacementFile::WorkFileName(std::string_view target) {
  return ToNativePath(target) + WorkSuffix;
}

// Stamps the age and reads it back: a file system clamps a time outside its range silently,
// which would make the file look out of date on every run.
void TReplacementFile::StampAge(TFileHandle file, TDateTime age) {
  const auto wanted = InstantFromLocalAge(age);
  std::optional<TInstant> stored;
  if (wanted && SetFileAge(file, age))
    stored = GetFileWritten(file);
  if (!stored || std::llabs(stored->Seconds - wanted->Seconds) > TimeSlackSeconds)
    throw EError("Age out of range: this file system cannot keep " + AgeText(age) +
                 " as a last-write time");
}

} // namespace platform
