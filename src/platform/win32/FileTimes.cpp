#include "FileTimes.h"

#include "WideText.h"

namespace platform {

TDateTime GetFileAge(std::string_view path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (path.empty() || !GetFileAttributesExW(WidePath(path).c_str(), GetFileExInfoStandard, &data) ||
      (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
    return MissingAge;
  return LocalAgeFromInstant(InstantFromFileTime(data.ftLastWriteTime));
}

std::optional<TInstant> GetFileWritten(TFileHandle file) {
  FILETIME written{};
  if (!GetFileTime(reinterpret_cast<HANDLE>(file), nullptr, nullptr, &written))
    return std::nullopt;
  return InstantFromFileTime(written);
}

bool SetFileAge(TFileHandle file, TDateTime age) {
  const auto instant = InstantFromLocalAge(age);
  if (!instant)
    return false;
  const FILETIME written = FileTimeFromInstant(*instant);
  return SetFileTime(reinterpret_cast<HANDLE>(file), nullptr, nullptr, &written) != 0;
}

bool SetFileAge(std::string_view path, TDateTime age) {
  const HANDLE file = CreateFileW(WidePath(path).c_str(), FILE_WRITE_ATTRIBUTES,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE)
    return false;
  const bool done = SetFileAge(reinterpret_cast<TFileHandle>(file), age);
  CloseHandle(file);
  return done;
}

} // namespace platform
