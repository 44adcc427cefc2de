#pragma once
#include <chrono>
#include <exception>
#include <functional>
#include <memory>
#include <vector>

namespace platform {

class TThreadPool;

enum class TTaskStatus { Created, WaitingToRun, Running, Completed, WaitingForChildren, Canceled, Exception };

// A unit of work that can be started, waited for and asked for its status.
class ITask {
public:
  virtual ~ITask() = default;
  virtual TTaskStatus Status() const = 0;
  virtual void Start() = 0;
  // True when the task has ended (completed, canceled or failed) within the time-out.
  virtual bool Wait(std::chrono::milliseconds timeout) = 0;
  // The error that ended a failed task; empty otherwise.
  virtual std::exception_ptr Error() const = 0;

  // For WaitForAny: registers (or removes) a waiter woken when the task ends; false when the
  // task has already ended.
  virtual bool Watch(const std::shared_ptr<struct TAnyWaiter>& waiter, bool add) = 0;
};

using ITaskPtr = std::shared_ptr<ITask>;

// A task that runs `proc` on `pool` once started. The pool must outlive the task's run.
ITaskPtr CreateTask(std::function<void()> proc, TThreadPool& pool);

bool IsEnded(TTaskStatus status);

// Blocks until any of `tasks` has ended or the time-out has passed; never spins.
// Returns the index of an ended task, or -1 after the time-out.
int WaitForAny(const std::vector<ITaskPtr>& tasks, std::chrono::milliseconds timeout);

} // namespace platform
