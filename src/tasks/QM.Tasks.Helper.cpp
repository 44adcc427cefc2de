#include "QM.Tasks.Helper.h"

#include <algorithm>
#include <thread>

ITasksPtr TTasksList::New() { return New(platform::MainThread()); }

ITasksPtr TTasksList::New(std::shared_ptr<platform::IMainThread> AMainThread) {
  return std::make_shared<TTasksList>(std::move(AMainThread));
}

TTasksList::TTasksList(std::shared_ptr<platform::IMainThread> AMainThread)
    : FThreadPool(std::make_unique<platform::TThreadPool>()), FMainThread(std::move(AMainThread)) {}

TTasksList::~TTasksList() {
  {
    std::lock_guard guard(FLock);
    std::fill(FTasks.begin(), FTasks.end(), nullptr);
  }
  FTasks.clear();
  FThreadPool.reset(); // every task has ended by now, so the workers stop at once
}

ITasksPtr TTasksList::Run(TProc Func) {
  auto task = platform::CreateTask(std::move(Func), *FThreadPool);
  task->Start();
  return Add(std::move(task));
}

ITasksPtr TTasksList::Run(void* Sender, TNotifyEvent Event) {
  return Run([Sender, Event = std::move(Event)] { Event(Sender); });
}

ITasksPtr TTasksList::Add(platform::ITaskPtr ATask) {
  std::lock_guard guard(FLock);
  if (std::find(FTasks.begin(), FTasks.end(), ATask) == FTasks.end())
    FTasks.push_back(std::move(ATask));
  return shared_from_this();
}

ITasksPtr TTasksList::AWait(TProc AEnd) {
  FProc = std::move(AEnd);
  // The thread holds a plain reference: the owner keeps the list alive until the completion.
  std::thread([this, mainThread = FMainThread] {
    WaitTasks();
    try {
      mainThread->Synchronize([this] { ThreadTerminated(); });
    } catch (...) {
      // What the completion raised was reported on the main thread's side, if at all.
    }
  }).detach();
  return shared_from_this();
}

// One pass: ended tasks leave their slot empty; the others are pending.
std::vector<platform::ITaskPtr> TTasksList::PendingTasks() {
  std::vector<platform::ITaskPtr> pending;
  std::lock_guard guard(FLock);
  for (auto& slot : FTasks) {
    if (!slot)
      continue;
    if (platform::IsEnded(slot->Status()))
      slot = nullptr;
    else
      pending.push_back(slot);
  }
  return pending;
}

void TTasksList::WaitTasks() {
  for (;;) {
    const auto pending = PendingTasks();
    if (pending.empty())
      return;
    platform::WaitForAny(pending, PassInterval);
  }
}

void TTasksList::ThreadTerminated() {
  // A copy: the action may release the last reference to this list, and with it FProc.
  const TProc proc = FProc;
  if (proc)
    proc();
}
