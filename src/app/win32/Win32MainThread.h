#pragma once
#include "MainThread.h"

#include <windows.h>

// Hands a call to the thread that made this object through a message-only window and blocks
// until it has run there, so a completion may open a modal dialog before the waiting thread
// goes on (a modal loop dispatches the message too).
class TWin32MainThread final : public platform::IMainThread {
public:
  TWin32MainThread();
  ~TWin32MainThread() override;
  TWin32MainThread(const TWin32MainThread&) = delete;
  TWin32MainThread& operator=(const TWin32MainThread&) = delete;

  void Synchronize(const std::function<void()>& call) override;

private:
  HWND FWindow = nullptr;
};
