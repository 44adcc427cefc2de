#pragma once
#include "Lock.h"
#include <chrono>
#include <mutex>

namespace platform {

// An event that stays set once set (a manual-reset event that is never reset).
class TEvent {
public:
  void Set() {
    {
      std::lock_guard guard(FLock);
      FSet = true;
    }
    FSignal.notify_all();
  }
  // True when the event is set, at once or within the time-out.
  bool WaitFor(std::chrono::milliseconds timeout) {
    std::unique_lock guard(FLock);
    return FSignal.wait_for(guard, timeout, [this] { return FSet; });
  }

private:
  TLock FLock;
  TCondition FSignal;
  bool FSet = false;
};

} // namespace platform
