#include "LockedFile.h"

#include "Paths.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace platform {

TLockedFile::~TLockedFile() { Close(); }

TLockedFile::TOpened TLockedFile::Open(std::string_view path) {
  Close();
  const int fd = open(ToNativePath(path).c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0)
    return TOpened::Failed;
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    close(fd);
    return TOpened::HeldByAnother;
  }
  FHandle = fd;
  return TOpened::Yes;
}

bool TLockedFile::Truncate() { return ftruncate(static_cast<int>(FHandle), 0) == 0; }

bool TLockedFile::Close() {
  if (FHandle == NoFileHandle)
    return true;
  const int fd = static_cast<int>(FHandle);
  FHandle = NoFileHandle;
  return close(fd) == 0;
}

} // namespace platform
