#include "MainThread.h"

#include <utility>

namespace platform {

struct TMainThreadQueue::Request {
  std::function<void()> Call;
  std::exception_ptr Error;
  bool Done = false;
  TLock Lock;
  TCondition Finished;
};

void TMainThreadQueue::Synchronize(const std::function<void()>& call) {
  auto request = std::make_shared<Request>();
  request->Call = call;
  {
    std::lock_guard guard(FLock);
    FRequests.push_back(request);
  }
  FQueued.notify_all();
  std::exception_ptr error;
  {
    std::unique_lock guard(request->Lock);
    request->Finished.wait(guard, [&] { return request->Done; });
    error = std::exchange(request->Error, nullptr); // the error is ours alone from here on
  }
  if (error)
    std::rethrow_exception(error);
}

int TMainThreadQueue::ProcessPending() {
  std::deque<std::shared_ptr<Request>> requests;
  {
    std::lock_guard guard(FLock);
    requests.swap(FRequests);
  }
  for (const auto& request : requests) {
    std::exception_ptr error;
    try {
      request->Call();
    } catch (...) {
      error = std::current_exception();
    }
    {
      std::lock_guard guard(request->Lock);
      request->Error = std::move(error);
      request->Done = true;
    }
    request->Finished.notify_all();
  }
  return static_cast<int>(requests.size());
}

int TMainThreadQueue::WaitAndProcess(std::chrono::milliseconds timeout) {
  {
    std::unique_lock guard(FLock);
    FQueued.wait_for(guard, timeout, [this] { return !FRequests.empty(); });
  }
  return ProcessPending();
}

namespace {
// The one hand-over of the process, like the platform's own synchronisation with its main thread.
TLock InstalledLock;
std::shared_ptr<IMainThread>& Installed() {
  static std::shared_ptr<IMainThread> installed;
  return installed;
}
} // namespace

std::shared_ptr<IMainThread> MainThread() {
  std::lock_guard guard(InstalledLock);
  if (!Installed())
    Installed() = std::make_shared<TMainThreadQueue>();
  return Installed();
}

void SetMainThread(std::shared_ptr<IMainThread> mainThread) {
  std::lock_guard guard(InstalledLock);
  Installed() = std::move(mainThread);
}

} // namespace platform
