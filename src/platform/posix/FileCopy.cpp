#include "FileCopy.h"

#include "Errors.h"
#include "OwnedFd.h"
#include "Paths.h"
#include "PosixTime.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace platform {

namespace {
// Small enough steps for a progress window to move, large enough to cost nothing.
constexpr std::size_t CopyStep = 8 << 20;

bool KernelCannotCopy(int error) {
  return error == EXDEV || error == ENOSYS || error == EINVAL || error == EOPNOTSUPP;
}
} // namespace

bool WriteAll(TFileHandle file, std::string_view data) {
  const int fd = static_cast<int>(file);
  while (!data.empty()) {
    const ssize_t written = write(fd, data.data(), data.size());
    if (written < 0 && errno == EINTR)
      continue;
    if (written <= 0)
      return false;
    data.remove_prefix(std::size_t(written));
  }
  return true;
}

TCopiedFile CopyFileInto(std::string_view source, TFileHandle target,
                         const TCopyProgress& progress) {
  const int fd = static_cast<int>(target);
  const TFd in(open(ToNativePath(source).c_str(), O_RDONLY | O_CLOEXEC));
  struct stat st {};
  if (!in || fstat(in.Get(), &st) != 0)
    RaiseLastOSError(errno);
  // The kernel copies without the bytes passing through us; plain reads where it cannot.
  bool kernelCopy = true;
  std::vector<char> buffer;
  std::uint64_t copied = 0;
  for (;;) {
    ssize_t n = -1;
    if (kernelCopy) {
      n = copy_file_range(in.Get(), nullptr, fd, nullptr, CopyStep, 0);
      if (n < 0 && KernelCannotCopy(errno)) {
        kernelCopy = false;
        buffer.resize(1 << 20);
        continue;
      }
    } else {
      n = read(in.Get(), buffer.data(), buffer.size());
      if (n > 0 && !WriteAll(target, std::string_view(buffer.data(), std::size_t(n))))
        n = -1;
    }
    if (n == 0)
      break;
    if (n < 0 && errno == EINTR)
      continue;
    if (n < 0)
      RaiseLastOSError(errno);
    copied += std::uint64_t(n);
    if (progress)
      progress(copied, std::uint64_t(st.st_size));
  }
  return {st.st_mode, InstantFromTimespec(st.st_mtim)};
}

} // namespace platform
