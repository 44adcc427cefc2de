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

bool HasInvalidPathChars(std::string_view path) {
  return std::any_of(path.begin(), path.end(), [](char c) {
    const auto u = static_cast<unsigned char>(c);
    return u < 32 || c == '"' || c == '<' || c == '>' || c == '|';
  });
}

namespace {
bool IsDriveLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsSeparator(char c) { return c == '\\' || c == '/'; }
} // namespace

bool IsRootedName(std::string_view name) {
  if (name.empty())
    return false;
  if (IsSeparator(name.front()))
    return true;
  return name.size() >= 2 && IsDriveLetter(name[0]) && name[1] == ':';
}

std::string JoinPath(std::string_view folder, std::string_view name, bool check) {
  if (check && (HasInvalidPathChars(folder) || HasInvalidPathChars(name)))
    throw EError(SInvalidPathChars);
  if (folder.empty() || IsRootedName(name))
    return std::string(name);
  if (name.empty())
    return std::string(folder);
  const char last = folder.back();
  if (IsSeparator(last) || last == ':')
    return std::string(folder) + std::string(name);
  return std::string(folder) + '\\' + std::string(name);
}

std::string IncludeTrailingBackslash(std::string_view text) {
  if (!text.empty() && text.back() == '\\')
    return std::string(text);
  return std::string(text) + '\\';
}

std::string ExtractFilePath(std::string_view path) {
  const auto pos = path.find_last_of("\\/:");
  return pos == std::string_view::npos ? std::string() : std::string(path.substr(0, pos + 1));
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

std::string CurrentExecutablePath() {
  char buffer[PATH_MAX];
  const ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  return n > 0 ? std::string(buffer, static_cast<size_t>(n)) : std::string();
}

} // namespace platform
