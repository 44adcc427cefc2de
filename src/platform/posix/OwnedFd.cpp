#include "OwnedFd.h"

#include <unistd.h>

namespace platform {

TFd& TFd::operator=(TFd&& other) noexcept {
  if (this != &other) {
    if (FFd >= 0)
      close(FFd);
    FFd = other.Release();
  }
  return *this;
}

TFd::~TFd() {
  if (FFd >= 0)
    close(FFd);
}

int TFd::Release() {
  const int fd = FFd;
  FFd = -1;
  return fd;
}

} // namespace platform
