#include "ReplacementFile.h"

#include "Errors.h"
#include "FileTimes.h"
#include "OwnedFd.h"
#include "Paths.h"

#include <cerrno>
#include <ctime>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {
// A work file nobody may open but its owner is only known to be abandoned once it has been
// still for longer than any live fetch waits between two writes (30 s to connect, 30 s stall).
constexpr time_t StaleAfterSeconds = 120;

// Past this many rounds something keeps replacing the work file under us: give up.
constexpr int MaxOpenRounds = 64;

// Work files are readable by everyone: another account sharing the installation must be able
// to lock one to tell a live fetch from an abandoned one.
constexpr mode_t WorkMode = 0644;

bool SameFile(const struct stat& a, const struct stat& b) {
  return a.st_ino == b.st_ino && a.st_dev == b.st_dev;
}

// True when `path` still names the file open at `fd`, itself and not through a link.
bool StillNamed(int fd, const std::string& path) {
  struct stat held {
  }, named{};
  return fstat(fd, &held) == 0 && lstat(path.c_str(), &named) == 0 && SameFile(held, named);
}

void LockWaiting(int fd, bool& waited) {
  if (flock(fd, LOCK_EX | LOCK_NB) == 0)
    return;
  waited = true;
  while (flock(fd, LOCK_EX) != 0)
    if (errno != EINTR)
      RaiseLastOSError(errno);
}

[[noreturn]] void RaiseWorkFileError(const std::string& path, const std::string& why) {
  throw EError("The work file " + path + " " + why);
}

// Something that is not our regular work file sits at its name (a link, a folder, a pipe, a
// second name of another file): it goes, and the caller starts again with a fresh file.
void RemoveIntruder(const std::string& path) {
  if (unlink(path.c_str()) == 0 || errno == ENOENT)
    return;
  if ((errno == EISDIR || errno == EPERM) && rmdir(path.c_str()) == 0)
    return;
  RaiseWorkFileError(path, "is in the way and cannot be removed: " + SystemErrorMessage(errno));
}

// A work file we may not even read belongs to another account; it is taken over only once it
// has clearly been abandoned.
void RemoveIfAbandoned(const std::string& path) {
  struct stat st {};
  if (lstat(path.c_str(), &st) != 0)
    return; // gone meanwhile
  if (time(nullptr) - st.st_mtime < StaleAfterSeconds)
    RaiseWorkFileError(path, "is being written by another account; try again later");
  if (unlink(path.c_str()) != 0 && errno != ENOENT)
    RaiseWorkFileError(path, "of another account cannot be removed: " + SystemErrorMessage(errno));
}

// Opens the work file without following a link and without blocking on a pipe. Sets `foreign`
// when the file is there but only readable to us.
int OpenEntry(const std::string& path, bool& foreign) {
  constexpr int flags = O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
  foreign = false;
  int fd = open(path.c_str(), O_RDWR | O_CREAT | flags, WorkMode);
  if (fd < 0 && errno == EACCES) {
    foreign = true;
    fd = open(path.c_str(), O_RDONLY | flags);
  }
  return fd;
}

// One round of taking the work file: its descriptor, locked, or -1 to start again.
int TryTake(const std::string& path, bool& waited) {
  bool foreign = false;
  TFd fd(OpenEntry(path, foreign));
  if (!fd) {
    const int error = errno;
    if (error == ELOOP || error == ENXIO || error == EISDIR)
      RemoveIntruder(path); // a link, a socket, a folder
    else if (error == EACCES && foreign)
      RemoveIfAbandoned(path);
    else if (error != ENOENT)
      RaiseLastOSError(error);
    return -1;
  }
  struct stat st {};
  if (fstat(fd.Get(), &st) != 0)
    RaiseLastOSError(errno);
  if (!S_ISREG(st.st_mode) || st.st_nlink > 1) {
    // Writing into a second name of a file would change that file wherever it lives.
    if (StillNamed(fd.Get(), path))
      RemoveIntruder(path);
    return -1;
  }
  LockWaiting(fd.Get(), waited);
  if (!StillNamed(fd.Get(), path))
    return -1; // a finished fetch renamed it away, or its owner removed it, while we waited
  if (foreign || st.st_uid != geteuid()) {
    // Another account's work file, and nobody writes it now: start afresh with our own.
    if (unlink(path.c_str()) != 0 && errno != ENOENT)
      RaiseWorkFileError(path,
                         "of another account cannot be removed: " + SystemErrorMessage(errno));
    return -1;
  }
  fchmod(fd.Get(), WorkMode); // the creator's umask may have narrowed it
  return fd.Release();
}

// Only the holder of the lock on the file under the work name ever writes, renames or removes
// it, so there are never two writers, also across processes and accounts.
int OpenLocked(const std::string& path, bool& waited) {
  for (int round = 0; round < MaxOpenRounds; ++round) {
    const int fd = TryTake(path, waited);
    if (fd >= 0)
      return fd;
  }
  RaiseWorkFileError(path, "keeps being replaced by something else");
}

} // namespace

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

void FlushFolder(std::string_view folder) {
  const std::string native = folder.empty() ? std::string(".") : ToNativePath(folder);
  const int fd = open(native.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0)
    RaiseLastOSError(errno);
  const int result = fsync(fd);
  const int error = errno;
  close(fd);
  if (result != 0 && error != EINVAL) // some file systems cannot flush a folder: nothing to do
    RaiseLastOSError(error);
}

void TReplacementFile::Commit(TDateTime age, unsigned permissions, TFolderFlush folder) {
  // Only permission bits: set-user-ID and the like must never come with a copied file.
  if (fchmod(FFd, permissions & 0777) != 0)
    RaiseLastOSError(errno);
  StampAge(FFd, age);
  // The content and its time reach the disk before the name does, so a power cut leaves
  // either the old file or the complete new one, never a short file that looks up to date.
  if (fsync(FFd) != 0)
    RaiseLastOSError(errno);
  if (rename(FWork.c_str(), FTarget.c_str()) != 0)
    RaiseLastOSError(errno);
  FCommitted = true;
  if (folder == TFolderFlush::Now)
    FlushFolder(ExtractFilePath(FTarget));
}

} // namespace platform
