#include "ReplacementFile.h"

#include "Errors.h"
#include "FileTimes.h"
#include "Paths.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {
constexpr const char* WorkSuffix = ".norvane-part";

// Locks the work file at `path`, making sure the locked file is still the one under that name
// (a finished fetch renames its work file away while we wait for its lock).
int OpenLocked(const std::string& path, bool& waited) {
  for (;;) {
    const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
      RaiseLastOSError(errno);
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
      waited = true;
      while (flock(fd, LOCK_EX) != 0 && errno == EINTR) {
      }
    }
    struct stat held {}, named {};
    if (fstat(fd, &held) == 0 && stat(path.c_str(), &named) == 0 && held.st_ino == named.st_ino &&
        held.st_dev == named.st_dev)
      return fd;
    close(fd);
  }
}
} // namespace

std::string TReplacementFile::WorkFileName(std::string_view target) {
  return ToNativePath(target) + WorkSuffix;
}

TReplacementFile::TReplacementFile(std::string_view target)
    : FTarget(ToNativePath(target)), FWork(WorkFileName(target)) {
  FFd = OpenLocked(FWork, FWaited);
  if (ftruncate(FFd, 0) != 0) {
    const int error = errno;
    unlink(FWork.c_str());
    close(FFd);
    RaiseLastOSError(error);
  }
}

TReplacementFile::~TReplacementFile() {
  if (!FCommitted)
    unlink(FWork.c_str()); // still ours: we hold its lock
  close(FFd);
}

void TReplacementFile::Commit(TDateTime age, mode_t mode) {
  if (fchmod(FFd, mode & 07777) != 0)
    RaiseLastOSError(errno);
  SetFileAge(FFd, age); // a time that cannot be set leaves the file out of date, as before
  if (rename(FWork.c_str(), FTarget.c_str()) != 0)
    RaiseLastOSError(errno);
  FCommitted = true;
}

} // namespace platform
