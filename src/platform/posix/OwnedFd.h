#pragma once

namespace platform {

// A file descriptor owned for its scope, closed when it goes.
class TFd {
public:
  TFd() = default;
  explicit TFd(int fd) : FFd(fd) {}
  TFd(TFd&& other) noexcept : FFd(other.Release()) {}
  TFd& operator=(TFd&& other) noexcept;
  TFd(const TFd&) = delete;
  TFd& operator=(const TFd&) = delete;
  ~TFd();

  int Get() const { return FFd; }
  explicit operator bool() const { return FFd >= 0; }
  int Release();

private:
  int FFd = -1;
};

} // namespace platform
