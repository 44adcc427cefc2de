#pragma once
#include "Lock.h"
#include <chrono>
#include <deque>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>

namespace platform {

// Hands a call to the program's main thread and waits until it has run there.
class IMainThread {
public:
  virtual ~IMainThread() = default;
  // Runs `call` on the main thread; returns after it has run, rethrowing what it raised.
  // Must not be called from the main thread itself.
  virtual void Synchronize(const std::function<void()>& call) = 0;
};

// A queue that the main thread's own loop drains: for programs without a GUI and for tests.
class TMainThreadQueue final : public IMainThread {
public:
  void Synchronize(const std::function<void()>& call) override;

  // Runs every call queued so far; returns how many ran.
  int ProcessPending();
  // Waits up to `timeout` for a call, then runs what is queued; returns how many ran.
  int WaitAndProcess(std::chrono::milliseconds timeout);

private:
  struct Request;
  TLock FLock;
  TCondition FQueued;
  std::deque<std::shared_ptr<Request>> FRequests;
};

// The program's main thread, as installed at start-up (a TMainThreadQueue until then).
std::shared_ptr<IMainThread> MainThread();
void SetMainThread(std::shared_ptr<IMainThread> mainThread);

} // namespace platform
