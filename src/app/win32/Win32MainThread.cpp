#include "Win32MainThread.h"

#include "Event.h"

#include "WindowClass.h"

#include <stdexcept>

namespace {
constexpr wchar_t ClassName[] = L"NorvaneMainThread";
constexpr UINT RunCall = WM_APP + 1;

struct TRequest {
  const std::function<void()>* Call;
  std::exception_ptr Error;
  platform::TEvent Done;
};

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != RunCall)
    return DefWindowProcW(window, message, wParam, lParam);
  auto* request = reinterpret_cast<TRequest*>(lParam);
  try {
    (*request->Call)();
  } catch (...) {
    request->Error = std::current_exception();
  }
  request->Done.Set();
  return 0;
}
} // namespace

TWin32MainThread::TWin32MainThread() {
  RegisterWindowClass({.Name = ClassName, .Procedure = Procedure});
  FWindow = CreateWindowExW(0, ClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
}

TWin32MainThread::~TWin32MainThread() {
  if (FWindow)
    DestroyWindow(FWindow);
}

void TWin32MainThread::Synchronize(const std::function<void()>& call) {
  TRequest request{&call, nullptr, {}};
  if (!FWindow || !PostMessageW(FWindow, RunCall, 0, reinterpret_cast<LPARAM>(&request)))
    throw std::runtime_error("The main thread takes no more calls");
  while (!request.Done.WaitFor(std::chrono::hours(24))) {
  }
  if (request.Error)
    std::rethrow_exception(request.Error);
}
