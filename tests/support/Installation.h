#pragma once
#include "DateTime.h"
#include "FileTimes.h"
#include "TempDir.h"

#include <filesystem>
#include <string>

namespace testing_support {

// An age with a millisecond part, as real file times have.
inline platform::TDateTime Age(int day, int hour = 10, int ms = 123) {
  return platform::EncodeDateTime({2026, 11, day, hour, 30, 15, ms});
}

// Writes `name` (with '\' or '/' between folders) into `dir` and stamps its last-write time.
inline std::filesystem::path Place(const TempDir& dir, const std::string& name,
                                   const std::string& content, platform::TDateTime age) {
  std::string native = name;
  for (char& c : native)
    if (c == '\\')
      c = '/';
  const auto path = dir.Write(native, content);
  platform::SetFileAge(path.string(), age);
  return path;
}

inline platform::TDateTime AgeOf(const std::filesystem::path& path) {
  return platform::GetFileAge(path.string());
}

} // namespace testing_support
