#include "FileTimes.h"

#include "Paths.h"

#include <fcntl.h>
#include <sys/stat.h>

namespace platform {

TDateTime GetFileAge(std::string_view path) {
  struct stat st {};
  if (path.empty() || stat(ToNativePath(path).c_str(), &st) != 0 || !S_ISREG(st.st_mode))
    return MissingAge;
  return LocalAgeFromTimespec(st.st_mtim);
}

namespace {
bool MakeTimes(TDateTime age, timespec (&times)[2]) {
  const auto instant = TimespecFromLocalAge(age);
  if (!instant)
    return false;
  times[0].tv_sec = 0;
  times[0].tv_nsec = UTIME_OMIT; // only the last-write time changes
  times[1] = *instant;
  return true;
}
} // namespace

bool SetFileAge(std::string_view path, TDateTime age) {
  timespec times[2];
  return MakeTimes(age, times) && utimensat(AT_FDCWD, ToNativePath(path).c_str(), times, 0) == 0;
}

bool SetFileAge(int fd, TDateTime age) {
  timespec times[2];
  return MakeTimes(age, times) && futimens(fd, times) == 0;
}

} // namespace platform
