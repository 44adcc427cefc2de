#pragma once
#include "Lock.h"
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace platform {

// A pool of worker threads, started as work arrives, up to a fixed number.
class TThreadPool {
public:
  // The pool runs file transfers, which wait on disks, shares and servers rather than on the
  // processor: more transfers in flight than cores keep a share or a server busy, while a
  // bounded number keeps a workstation from flooding it. Eight at least, two per core above that.
  static unsigned DefaultMaxWorkers();

  explicit TThreadPool(unsigned maxWorkers = DefaultMaxWorkers());
  // Runs what is queued to its end, then stops and joins every worker.
  ~TThreadPool();
  TThreadPool(const TThreadPool&) = delete;
  TThreadPool& operator=(const TThreadPool&) = delete;

  void Queue(std::function<void()> work);
  unsigned MaxWorkers() const { return FMaxWorkers; }

private:
  void WorkerLoop();

  const unsigned FMaxWorkers;
  TLock FLock;
  TCondition FWorkAvailable;
  std::deque<std::function<void()>> FQueue;
  std::vector<std::thread> FWorkers;
  unsigned FIdle = 0;
  bool FStopping = false;
};

} // namespace platform
