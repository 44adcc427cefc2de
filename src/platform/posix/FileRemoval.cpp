#include "SystemFileRemoval.h"

#include "Errors.h"
#include "Paths.h"

#include <cerrno>
#include <unistd.h>

namespace platform {

namespace {
bool IsReportedError(int code) {
  switch (code) {
  case ENOENT: // missing
  case EACCES: // denied
  case EPERM:
  case EROFS:
  case EBUSY: // in use
  case ETXTBSY:
    return true;
  default:
    return false;
  }
}
} // namespace

bool TryDeleteFile(std::string_view path) { return unlink(ToNativePath(path).c_str()) == 0; }

void RemoveFile(std::string_view path) {
  if (unlink(ToNativePath(path).c_str()) != 0 && IsReportedError(errno))
    RaiseLastOSError(errno);
}

} // namespace platform
