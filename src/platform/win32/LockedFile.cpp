#include "LockedFile.h"

#include "WideText.h"

namespace platform {

TLockedFile::~TLockedFile() { Close(); }

// Opened without write sharing: a second writer is refused by the system itself.
TLockedFile::TOpened TLockedFile::Open(std::string_view path) {
  Close();
  const HANDLE file = CreateFileW(WidePath(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                  OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE)
    return GetLastError() == ERROR_SHARING_VIOLATION ? TOpened::HeldByAnother : TOpened::Failed;
  FHandle = reinterpret_cast<TFileHandle>(file);
  return TOpened::Yes;
}

bool TLockedFile::Truncate() {
  const HANDLE file = reinterpret_cast<HANDLE>(FHandle);
  return SetFilePointerEx(file, LARGE_INTEGER{}, nullptr, FILE_BEGIN) && SetEndOfFile(file);
}

bool TLockedFile::Close() {
  if (FHandle == NoFileHandle)
    return true;
  const HANDLE file = reinterpret_cast<HANDLE>(FHandle);
  FHandle = NoFileHandle;
  return CloseHandle(file) != 0;
}

} // namespace platform
