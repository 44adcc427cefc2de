#include "DirectoryScan.h"

#include "Errors.h"
#include "Paths.h"
#include "PosixTime.h"

#include <algorithm>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

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
  explicit Scanner(const std::function<void(const std::string&, const TInstant&)>& found)
      : FFound(found) {}

  // `id` is the folder's own identity, kept on the path from the root while it is walked.
  void Walk(int fd, const FolderId& id, const std::string& prefix) {
    Folder folder(fd);
    if (!folder.Handle)
      return;
    FAncestors.push_back(id);
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
        const FolderId child{st.st_dev, st.st_ino};
        if (!IsAncestor(child))
          Walk(openat(dirFd, entry->d_name, O_RDONLY | O_DIRECTORY | O_CLOEXEC), child,
               relative + '\\');
      } else if (S_ISREG(st.st_mode)) {
        FFound(relative, InstantFromTimespec(st.st_mtim));
      }
    }
    FAncestors.pop_back();
  }

private:
  // Only a folder that contains itself is a loop: a folder reached by a second name (a link to
  // a sibling) is listed under that name too, since files may be looked up by it.
  bool IsAncestor(const FolderId& id) const {
    return std::find(FAncestors.begin(), FAncestors.end(), id) != FAncestors.end();
  }

  const std::function<void(const std::string&, const TInstant&)>& FFound;
  std::vector<FolderId> FAncestors;
};
} // namespace

void ScanFiles(std::string_view root,
               const std::function<void(const std::string&, const TInstant&)>& found) {
  const std::string native = ToNativePath(root);
  const int fd = native.empty() ? -1 : open(native.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  struct stat st {};
  if (fd < 0 || fstat(fd, &st) != 0) {
    if (fd >= 0)
      close(fd);
    throw EError(SPathNotFound);
  }
  Scanner scanner(found);
  scanner.Walk(fd, {st.st_dev, st.st_ino}, "");
}

} // namespace platform
