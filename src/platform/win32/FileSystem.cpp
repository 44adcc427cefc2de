#include "Paths.h"

#include "Errors.h"
#include "WideText.h"

#include <algorithm>

namespace platform {

std::string ToNativePath(std::string_view path) {
  std::string native(path);
  std::replace(native.begin(), native.end(), '/', '\\');
  return native;
}

namespace {
DWORD Attributes(std::string_view path) {
  return path.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(WidePath(path).c_str());
}
} // namespace

bool FileExists(std::string_view path) {
  const DWORD attributes = Attributes(path);
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(std::string_view path) {
  const DWORD attributes = Attributes(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void ForceDirectories(std::string_view path) {
  std::string native = ToNativePath(path);
  while (native.size() > 3 && native.back() == '\\')
    native.pop_back();
  if (native.empty() || DirectoryExists(native))
    return;
  const auto slash = native.find_last_of('\\');
  if (slash != std::string::npos && slash > 0 && native[slash - 1] != ':')
    ForceDirectories(native.substr(0, slash));
  // Another fetch may create the same folder at the same moment.
  if (!CreateDirectoryW(Widen(native).c_str(), nullptr)) {
    const DWORD error = GetLastError();
    if (!(error == ERROR_ALREADY_EXISTS && DirectoryExists(native)))
      RaiseLastOSError(int(error));
  }
}

bool CreateDir(std::string_view path) {
  return CreateDirectoryW(WidePath(path).c_str(), nullptr) != 0;
}

// Folders under the profile are the account's own already; a junction does not count.
bool EnsurePrivateFolder(std::string_view path) {
  const std::wstring wide = WidePath(path);
  CreateDirectoryW(wide.c_str(), nullptr);
  const DWORD attributes = GetFileAttributesW(wide.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) &&
         !(attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

std::string CurrentExecutablePath() {
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), DWORD(buffer.size()));
    if (n == 0)
      return {};
    if (n < buffer.size())
      return Narrow(std::wstring_view(buffer.data(), n));
    buffer.resize(buffer.size() * 2);
  }
}

} // namespace platform
