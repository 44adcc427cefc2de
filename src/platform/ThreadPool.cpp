#include "ThreadPool.h"

#include <algorithm>

namespace platform {

unsigned TThreadPool::DefaultMaxWorkers() {
  return std::max(8u, 2 * std::max(1u, std::thread::hardware_concurrency()));
}

TThreadPool::TThreadPool(unsigned maxWorkers) : FMaxWorkers(std::max(1u, maxWorkers)) {}

TThreadPool::~TThreadPool() {
  {
    std::lock_guard guard(FLock);
    FStopping = true;
  }
  FWorkAvailable.notify_all();
  for (auto& worker : FWorkers)
    worker.join();
}

void TThreadPool::Queue(std::function<void()> work) {
  {
    std::lock_guard guard(FLock);
    FQueue.push_back(std::move(work));
    if (FIdle < FQueue.size() && FWorkers.size() < FMaxWorkers)
      FWorkers.emplace_back([this] { WorkerLoop(); });
  }
  FWorkAvailable.notify_one();
}

void TThreadPool::WorkerLoop() {
  std::unique_lock guard(FLock);
  for (;;) {
    ++FIdle;
    FWorkAvailable.wait(guard, [this] { return FStopping || !FQueue.empty(); });
    --FIdle;
    if (FQueue.empty())
      return; // stopping, and nothing is left to run
    auto work = std::move(FQueue.front());
    FQueue.pop_front();
    guard.unlock();
    work();
    work = nullptr;
    guard.lock();
  }
}

} // namespace platform
