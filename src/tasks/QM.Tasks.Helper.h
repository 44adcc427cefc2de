#pragma once
#include "Lock.h"
#include "MainThread.h"
#include "Task.h"
#include "ThreadPool.h"

#include <functional>
#include <memory>
#include <mutex>
#include <vector>

using TProc = std::function<void()>;
using TNotifyEvent = std::function<void(void* Sender)>;

class ITasks;
using ITasksPtr = std::shared_ptr<ITasks>;

// A set of background tasks with one completion action, called on the main thread once every
// task has ended. Each operation returns the list again so that calls can be chained.
class ITasks {
public:
  virtual ~ITasks() = default;
  virtual ITasksPtr Run(TProc Func) = 0;
  virtual ITasksPtr Run(void* Sender, TNotifyEvent Event) = 0;
  virtual ITasksPtr Add(platform::ITaskPtr ATask) = 0;
  // Never blocks: a waiting thread watches the tasks and hands `AEnd` to the main thread.
  // The owner keeps its reference until `AEnd` has run.
  virtual ITasksPtr AWait(TProc AEnd) = 0;
};

class TTasksList final : public ITasks, public std::enable_shared_from_this<TTasksList> {
public:
  // A list whose completion reaches the program's installed main thread.
  static ITasksPtr New();
  static ITasksPtr New(std::shared_ptr<platform::IMainThread> AMainThread);

  explicit TTasksList(std::shared_ptr<platform::IMainThread> AMainThread);
  ~TTasksList() override;

  ITasksPtr Run(TProc Func) override;
  ITasksPtr Run(void* Sender, TNotifyEvent Event) override;
  ITasksPtr Add(platform::ITaskPtr ATask) override;
  ITasksPtr AWait(TProc AEnd) override;

private:
  static constexpr std::chrono::milliseconds PassInterval{100};

  std::vector<platform::ITaskPtr> PendingTasks();
  void WaitTasks();
  void ThreadTerminated();

  std::unique_ptr<platform::TThreadPool> FThreadPool;
  TProc FProc;
  platform::TLock FLock; // guards FTasks
  std::vector<platform::ITaskPtr> FTasks;
  std::shared_ptr<platform::IMainThread> FMainThread;
};
