#pragma once
#include <chrono>
#include <cstddef>
#include <mutex>

namespace platform {

// A mutex on the system's own primitive (a slim reader/writer lock on Windows, where the
// POSIX-threads layer of the toolchain loses wake-ups). Usable with std::lock_guard and
// std::unique_lock.
class TLock {
public:
  TLock();
  ~TLock();
  TLock(const TLock&) = delete;
  TLock& operator=(const TLock&) = delete;

  void lock();
  void unlock();
  bool try_lock();

private:
  friend class TCondition;
  alignas(std::max_align_t) unsigned char FNative[64];
};

// A condition variable to go with TLock.
class TCondition {
public:
  TCondition();
  ~TCondition();
  TCondition(const TCondition&) = delete;
  TCondition& operator=(const TCondition&) = delete;

  void notify_one();
  void notify_all();
  void wait(std::unique_lock<TLock>& guard);

  template <class Predicate> void wait(std::unique_lock<TLock>& guard, Predicate ready) {
    while (!ready())
      wait(guard);
  }

  // False when `ready` still does not hold after `timeout`.
  template <class Rep, class Period, class Predicate>
  bool wait_for(std::unique_lock<TLock>& guard, std::chrono::duration<Rep, Period> timeout,
                Predicate ready) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!ready()) {
      const auto left = deadline - std::chrono::steady_clock::now();
      if (left <= left.zero())
        return ready();
      WaitAtMost(guard, std::chrono::ceil<std::chrono::milliseconds>(left));
    }
    return true;
  }

private:
  // May return early; callers look again.
  void WaitAtMost(std::unique_lock<TLock>& guard, std::chrono::milliseconds timeout);

  alignas(std::max_align_t) unsigned char FNative[64];
};

} // namespace platform
