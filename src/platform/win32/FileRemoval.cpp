#include "SystemFileRemoval.h"

#include "Errors.h"
#include "WideText.h"

namespace platform {

bool TryDeleteFile(std::string_view path) { return DeleteFileW(WidePath(path).c_str()) != 0; }

void RemoveFile(std::string_view path) {
  if (DeleteFileW(WidePath(path).c_str()))
    return;
  switch (const DWORD error = GetLastError()) {
  case ERROR_FILE_NOT_FOUND:
  case ERROR_PATH_NOT_FOUND:
  case ERROR_ACCESS_DENIED:
  case ERROR_SHARING_VIOLATION:
  case ERROR_LOCK_VIOLATION:
  case ERROR_WRITE_PROTECT:
    RaiseLastOSError(int(error));
  default:
    break;
  }
}

} // namespace platform
