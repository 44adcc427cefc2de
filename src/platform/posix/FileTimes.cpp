#include "FileTimes.h"

#include "Paths.h"
#include "PosixTime.h"

#include <fcntl.h>
#include <sys/stat.h>

namespace platform {

TDateTime GetFileAge(std::string_view path) {
  struct stat st {};
  if (path.empty() || stat(ToNativePath(path).c_str(), &st) != 0 || !S_ISREG(st.st_mode))
    return MissingAge;
  return LocalAgeFromInstant(InstantFromTimespec(st.st_mtim));
}

namespace {
bool MakeTimes(TDateTime age, timespec (&times)[2]) {
  const auto instant = InstantFromLocalAge(age);
  if (!instant)
    return false;
  times[0].tv_sec = 0;
  times[0].tv_nsec = UTIME_OMIT; // only the last-write time changes
  times[1].tv_sec = static_cast<time_t>(instant->Seconds);
  times[1].tv_nsec = instant->Nanoseconds;
  return true;
}
} // namespace

bool SetFileAge(std::string_view path, TDateTime age) {
  timespec times[2];
  return MakeTimes(age, times) && utimensat(AT_FDCWD, ToNativePath(path).c_str(), times, 0) == 0;
}

std::optional<TInstant> GetFileWritten(TFileHandle file) {
  struct stat st {};
  if (fstat(static_cast<int>(file), &st) != 0)
    return std::nullopt;
  return InstantFromTimespec(st.st_mtim);
}

bool SetFileAge(TFileHandle file, TDateTime age) {
  timespec times[2];
  return MakeTimes(age, times) && futimens(static_cast<int>(file), times) == 0;
}

} // namespace platform
