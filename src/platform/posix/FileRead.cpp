#include "FileRead.h"

#include "OwnedFd.h"
#include "Paths.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

namespace platform {

bool ReadFileChunks(std::string_view path, const std::function<void(std::string_view)>& chunk) {
  const TFd file(open(ToNativePath(path).c_str(), O_RDONLY | O_CLOEXEC));
  if (!file)
    return false;
  std::vector<char> buffer(64 * 1024);
  for (;;) {
    const ssize_t n = read(file.Get(), buffer.data(), buffer.size());
    if (n < 0 && errno == EINTR)
      continue;
    if (n <= 0)
      return true;
    chunk(std::string_view(buffer.data(), std::size_t(n)));
  }
}

} // namespace platform
