#pragma once
#include "MainThread.h"

#include <chrono>
#include <functional>

namespace testing_support {

// Drains the main-thread queue until `done` holds or the time runs out; true when it held.
inline bool RunMainLoopUntil(platform::TMainThreadQueue& queue, const std::function<bool()>& done,
                             std::chrono::milliseconds limit = std::chrono::seconds(20)) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline)
      return false;
    queue.WaitAndProcess(std::chrono::milliseconds(10));
  }
  return true;
}

} // namespace testing_support
