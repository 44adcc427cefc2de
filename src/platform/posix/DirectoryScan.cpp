#include "DirectoryScan.h"

#include "Errors.h"
#include "Paths.h"
#include "PosixTime.h"

#include <algorithm>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <dirent.h>
#include <exception>
#include <fcntl.h>
#include <memory>
#include <mutex>
#include <sys/stat.h>
#include <system_error>
#include <thread>
#include <unistd.h>
#include <utility>
#include <vector>

namespace platform {

namespace {
using FolderId = std::pair<dev_t, ino_t>;

// The folders from the root down to one being walked, shared by the folders below it.
struct Chain {
  FolderId Id;
  std::shared_ptr<const Chain> Parent;
};

// Only a folder that contains itself is a loop: a folder reached by a second name (a link to
// a sibling) is listed under that name too, since files may be looked up by it.
bool OnChain(const Chain* chain, const FolderId& id) {
  for (; chain; chain = chain->Parent.get())
    if (chain->Id == id)
      return true;
  return false;
}

// An opened folder waiting to be walked: its descriptor, its relative name with a trailing
// '\' (empty for the root) and its chain.
struct Job {
  int Fd = -1;
  std::string Path;
  std::shared_ptr<const Chain> Folders;
};

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

constexpr std::size_t HandOverFiles = 256;

// Files found, handed over together so that the receiver is locked once per folder or so.
struct Batch {
  std::string Names; // back to back
  struct File {
    std::uint32_t Offset, Length;
    TInstant Written;
  };
  std::vector<File> Files;
};

// Walks the tree with several threads: each stat is a wait on the file system (a round trip on
// a network share), and the waits of different folders overlap. A worker hands a subfolder to
// the others only while one of them is idle, and walks it itself otherwise, so the number of
// open folders stays small. `found` is called by one thread at a time.
class Scanner {
public:
  using Found = std::function<void(std::string_view, const TInstant&)>;
  Scanner(const Found& found, unsigned workers) : FFound(found), FWorkers(workers) {}

  void Run(Job root) {
    FJobs.push_back(std::move(root));
    std::vector<std::thread> helpers;
    for (unsigned i = 1; i < FWorkers; ++i) {
      try {
        helpers.emplace_back([this] { Work(); });
      } catch (const std::system_error&) {
        break; // no thread to be had: fewer workers walk the same tree
      }
    }
    Work();
    for (std::thread& helper : helpers)
      helper.join();
    for (const Job& left : FJobs) // only after a failure
      if (left.Fd >= 0)
        close(left.Fd);
    if (FFailure)
      std::rethrow_exception(FFailure);
  }

private:
  void Work() {
    Batch batch;
    for (;;) {
      Job job;
      {
        std::unique_lock lock(FLock);
        ++FIdle;
        FChanged.wait(lock, [this] { return !FJobs.empty() || FBusy == 0 || FFailure; });
        --FIdle;
        if (FJobs.empty() || FFailure) {
          FChanged.notify_all();
          return;
        }
        job = std::move(FJobs.front());
        FJobs.pop_front();
        ++FBusy;
      }
      Walk(job, batch);
      Deliver(batch);
      std::lock_guard lock(FLock);
      if (--FBusy == 0)
        FChanged.notify_all();
    }
  }

  void Walk(const Job& job, Batch& batch) {
    Folder folder(job.Fd);
    if (!folder.Handle || Failed())
      return;
    const int dirFd = dirfd(folder.Handle);
    while (const dirent* entry = readdir(folder.Handle)) {
      const std::string_view name = entry->d_name;
      if (name == "." || name == "..")
        continue;
      struct stat st {};
      if (fstatat(dirFd, entry->d_name, &st, 0) != 0)
        continue; // vanished meanwhile, or a dangling link
      if (S_ISDIR(st.st_mode)) {
        const FolderId id{st.st_dev, st.st_ino};
        if (OnChain(job.Folders.get(), id))
          continue;
        Job child{openat(dirFd, entry->d_name, O_RDONLY | O_DIRECTORY | O_CLOEXEC),
                  job.Path + std::string(name) + '\\', std::make_shared<Chain>(Chain{id, job.Folders})};
        if (!Share(child))
          Walk(child, batch);
      } else if (S_ISREG(st.st_mode)) {
        batch.Files.push_back({std::uint32_t(batch.Names.size()),
                               std::uint32_t(job.Path.size() + name.size()),
                               InstantFromTimespec(st.st_mtim)});
        batch.Names += job.Path;
        batch.Names += name;
      }
    }
    if (batch.Files.size() >= HandOverFiles)
      Deliver(batch);
  }

  // Queues the folder for an idle worker; false when every worker is busy.
  bool Share(Job& job) {
    std::lock_guard lock(FLock);
    if (FIdle == 0 || FJobs.size() >= FWorkers)
      return false;
    FJobs.push_back(std::move(job));
    FChanged.notify_one();
    return true;
  }

  void Deliver(Batch& batch) {
    // Checked under the receiver's lock: it may have failed while this worker waited for it.
    std::lock_guard lock(FDeliverLock);
    if (!batch.Files.empty() && !Failed()) {
      try {
        const std::string_view names = batch.Names;
        for (const Batch::File& file : batch.Files)
          FFound(names.substr(file.Offset, file.Length), file.Written);
      } catch (...) {
        std::lock_guard failure(FLock);
        FFailure = std::current_exception();
        FChanged.notify_all();
      }
    }
    batch.Names.clear();
    batch.Files.clear();
  }

  bool Failed() {
    std::lock_guard lock(FLock);
    return FFailure != nullptr;
  }

  const Found& FFound;
  const unsigned FWorkers;
  std::mutex FLock, FDeliverLock;
  std::condition_variable FChanged;
  std::deque<Job> FJobs;
  unsigned FBusy = 0, FIdle = 0;
  std::exception_ptr FFailure;
};

unsigned WorkerCount() {
  // Waits overlap beyond the number of cores (measured: four beat two on two cores); more
  // than this only contend.
  return std::clamp(2 * std::thread::hardware_concurrency(), 4u, 16u);
}
} // namespace

void ScanFiles(std::string_view root,
               const std::function<void(std::string_view relative, const TInstant& written)>& found) {
  const std::string native = ToNativePath(root);
  const int fd = native.empty() ? -1 : open(native.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  struct stat st {};
  if (fd < 0 || fstat(fd, &st) != 0) {
    if (fd >= 0)
      close(fd);
    throw EError(SPathNotFound);
  }
  Scanner(found, WorkerCount())
      .Run(Job{fd, std::string(), std::make_shared<Chain>(Chain{{st.st_dev, st.st_ino}, nullptr})});
}

} // namespace platform
