#include "FileCopy.h"

#include "Errors.h"
#include "Paths.h"
#include "ReplacementFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace platform {

namespace {
// Owns a descriptor for the copy's duration.
struct ScopedFd {
  int Fd;
  ~ScopedFd() {
    if (Fd >= 0)
      close(Fd);
  }
};

void WriteAll(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t written = write(fd, data, size);
    if (written < 0 && errno == EINTR)
      continue;
    if (written < 0)
      RaiseLastOSError(errno);
    data += written;
    size -= std::size_t(written);
  }
}
} // namespace

void CopyFileWithProgress(std::string_view source, std::string_view target,
                          const TCopyProgress& progress) {
  const ScopedFd in{open(ToNativePath(source).c_str(), O_RDONLY | O_CLOEXEC)};
  struct stat st {};
  if (in.Fd < 0 || fstat(in.Fd, &st) != 0)
    RaiseLastOSError(errno);
  TReplacementFile out(target);
  std::vector<char> buffer(1 << 20);
  std::uint64_t copied = 0;
  for (;;) {
    const ssize_t n = read(in.Fd, buffer.data(), buffer.size());
    if (n < 0 && errno == EINTR)
      continue;
    if (n < 0)
      RaiseLastOSError(errno);
    if (n == 0)
      break;
    WriteAll(out.Fd(), buffer.data(), std::size_t(n));
    copied += std::uint64_t(n);
    if (progress)
      progress(copied, std::uint64_t(st.st_size));
  }
  out.Commit(LocalAgeFromTimespec(st.st_mtim), st.st_mode);
}

} // namespace platform
