#include "Task.h"

#include "Event.h"
#include "Lock.h"
#include "ThreadPool.h"

#include <algorithm>
#include <atomic>
#include <mutex>

namespace platform {

// Woken by the first of the watched tasks to end.
struct TAnyWaiter : TEvent {};

bool IsEnded(TTaskStatus status) {
  return status == TTaskStatus::Completed || status == TTaskStatus::Canceled ||
         status == TTaskStatus::Exception;
}

namespace {
class TTask final : public ITask, public std::enable_shared_from_this<TTask> {
public:
  TTask(std::function<void()> proc, TThreadPool& pool) : FProc(std::move(proc)), FPool(pool) {}

  TTaskStatus Status() const override { return FStatus.load(); }

  void Start() override {
    TTaskStatus expected = TTaskStatus::Created;
    if (!FStatus.compare_exchange_strong(expected, TTaskStatus::WaitingToRun))
      return;
    FPool.Queue([self = shared_from_this()] { self->Execute(); });
  }

  bool Wait(std::chrono::milliseconds timeout) override {
    std::unique_lock guard(FLock);
    return FEnded.wait_for(guard, timeout, [this] { return IsEnded(FStatus.load()); });
  }

  std::exception_ptr Error() const override {
    std::lock_guard guard(FLock);
    return FError;
  }

  bool Watch(const std::shared_ptr<TAnyWaiter>& waiter, bool add) override {
    std::lock_guard guard(FLock);
    if (!add) {
      std::erase(FWatchers, waiter);
      return true;
    }
    if (IsEnded(FStatus.load()))
      return false;
    FWatchers.push_back(waiter);
    return true;
  }

private:
  void Execute() {
    FStatus = TTaskStatus::Running;
    TTaskStatus outcome = TTaskStatus::Completed;
    std::exception_ptr error;
    try {
      FProc();
    } catch (...) {
      error = std::current_exception();
      outcome = TTaskStatus::Exception;
    }
    FProc = nullptr; // what the work captured goes now, not when the last reference does
    std::vector<std::shared_ptr<TAnyWaiter>> watchers;
    {
      std::lock_guard guard(FLock);
      FError = error;
      FStatus = outcome;
      watchers.swap(FWatchers);
    }
    FEnded.notify_all();
    for (const auto& watcher : watchers)
      watcher->Set();
  }

  std::function<void()> FProc;
  TThreadPool& FPool;
  std::atomic<TTaskStatus> FStatus{TTaskStatus::Created};
  mutable TLock FLock;
  TCondition FEnded;
  std::exception_ptr FError;
  std::vector<std::shared_ptr<TAnyWaiter>> FWatchers;
};
} // namespace

ITaskPtr CreateTask(std::function<void()> proc, TThreadPool& pool) {
  return std::make_shared<TTask>(std::move(proc), pool);
}

int WaitForAny(const std::vector<ITaskPtr>& tasks, std::chrono::milliseconds timeout) {
  const auto waiter = std::make_shared<TAnyWaiter>();
  int ended = -1;
  std::size_t watched = 0;
  for (; watched < tasks.size(); ++watched)
    if (!tasks[watched]->Watch(waiter, true)) {
      ended = static_cast<int>(watched);
      break;
    }
  if (ended < 0)
    waiter->WaitFor(timeout);
  for (std::size_t i = 0; i < watched; ++i)
    tasks[i]->Watch(waiter, false);
  if (ended >= 0)
    return ended;
  for (std::size_t i = 0; i < tasks.size(); ++i)
    if (IsEnded(tasks[i]->Status()))
      return static_cast<int>(i);
  return -1;
}

} // namespace platform
