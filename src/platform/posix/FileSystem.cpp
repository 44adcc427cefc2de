#include "Paths.h"

#include "Errors.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

std::string ToNativePath(std::string_view path) {
  std::string native(path);
  std::replace(native.begin(), native.end(), '\\', '/');
  return native;
}

namespace {
bool StatIs(std::string_view path, mode_t type) {
  if (path.empty())
    return false;
  struct stat st {};
  return stat(ToNativePath(path).c_str(), &st) == 0 && (st.st_mode & S_IFMT) == type;
}
} // namespace

bool FileExists(std::string_view path) { return StatIs(path, S_IFREG); }
bool DirectoryExists(std::string_view path) { return StatIs(path, S_IFDIR); }

void ForceDirectories(std::string_view path) {
  std::string native = ToNativePath(path);
  while (native.size() > 1 && native.back() == '/')
    native.pop_back();
  if (native.empty() || DirectoryExists(native))
    return;
  const auto slash = native.find_last_of('/');
  if (slash != std::string::npos && slash > 0)
    ForceDirectories(native.substr(0, slash));
  // Another fetch may create the same folder at the same moment: EEXIST on a folder is fine.
  if (mkdir(native.c_str(), 0777) != 0 && !(errno == EEXIST && DirectoryExists(native)))
    RaiseLastOSError(errno);
}

bool CreateDir(std::string_view path) { return mkdir(ToNativePath(path).c_str(), 0777) == 0; }

bool EnsurePrivateFolder(std::string_view path) {
  const std::string native = ToNativePath(path);
  mkdir(native.c_str(), 0700);
  struct stat st {};
  return lstat(native.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == getuid() &&
         (st.st_mode & 077) == 0;
}

std::string CurrentExecutablePath() {
  char buffer[PATH_MAX];
  const ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  return n > 0 ? std::string(buffer, static_cast<size_t>(n)) : std::string();
}

} // namespace platform
