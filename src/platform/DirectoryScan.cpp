#include "DirectoryScan.h"

#include "Errors.h"
#include "Paths.h"

#include <dirent.h>
#include <fcntl.h>
#include <set>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace platform {

namespace {
using FolderId = std::pair<dev_t, ino_t>;

// Owns an open folder; closing it closes its descriptor too.
struct Folder {
  DIR* Handle = nullptr;
  explicit Folder(int fd) : Handle(fd >= 0 ? fdopendir(fd) : nullptr) {
    if (!Handle && fd >= 0)
      close(fd);
  }
  ~Folder() {
    if (Handle)
      closedir(Handle);
  }
  Folder(const Folder&) = delete;
  Folder& operator=(const Folder&) = delete;
};

class Scanner {
public:
  explicit Scanner(const std::function<void(const std::string&, const timespec&)>& found)
      : FFound(found) {}

  void Walk(int fd, const std::string& prefix) {
    Folder folder(fd);
    if (!folder.Handle)
      return;
    const int dirFd = dirfd(folder.Handle);
    while (const dirent* entry = readdir(folder.Handle)) {
      const std::string_view name = entry->d_name;
      if (name == "." || name == "..")
        continue;
      struct stat st {};
      if (fstatat(dirFd, entry->d_name, &st, 0) != 0)
        continue; // vanished meanwhile, or a dangling link
      const std::string relative = prefix + std::string(name);
      if (S_ISDIR(st.st_mode)) {
        if (Enter(st))
          Walk(openat(dirFd, entry->d_name, O_RDONLY | O_DIRECTORY | O_CLOEXEC), relative + '\\');
      } else if (S_ISREG(st.st_mode)) {
        FFound(relative, st.st_mtim);
      }
    }
  }

  bool Enter(const struct stat& st) { return FVisited.insert({st.st_dev, st.st_ino}).second; }

private:
  const std::function<void(const std::string&, const timespec&)>& FFound;
  std::set<FolderId> FVisited;
};
} // namespace

void ScanFiles(std::string_view root,
               const std::function<void(const std::string&, const timespec&)>& found) {
  const std::string native = ToNativePath(root);
  const int fd = native.empty() ? -1 : open(native.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  struct stat st {};
  if (fd < 0 || fstat(fd, &st) != 0) {
    if (fd >= 0)
      close(fd);
    throw EError(SPathNotFound);
  }
  Scanner scanner(found);
  scanner.Enter(st);
  scanner.Walk(fd, "");
}

} // namespace platform
