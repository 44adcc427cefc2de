#pragma once
#include <csignal>
#include <sys/resource.h>

namespace testing_support {

// While it lives, the process may write no file larger than `bytes`: what a full disk looks like
// to a writer (the write fails instead of the signal ending the process).
class FileSizeLimit {
public:
  explicit FileSizeLimit(rlim_t bytes) : FPreviousHandler(std::signal(SIGXFSZ, SIG_IGN)) {
    getrlimit(RLIMIT_FSIZE, &FPrevious);
    rlimit small = FPrevious;
    small.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &small);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &FPrevious);
    std::signal(SIGXFSZ, FPreviousHandler);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
  rlimit FPrevious{};
  void (*FPreviousHandler)(int);
};

} // namespace testing_support
