#include "Errors.h"

#include "WideText.h"

namespace platform {

std::string SystemErrorMessage(int code) {
  wchar_t* buffer = nullptr;
  const DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                          FORMAT_MESSAGE_IGNORE_INSERTS,
                                      nullptr, DWORD(code), 0, reinterpret_cast<LPWSTR>(&buffer),
                                      0, nullptr);
  std::wstring text = length ? std::wstring(buffer, length) : std::wstring();
  LocalFree(buffer);
  while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' '))
    text.pop_back();
  return text.empty() ? "Unknown error " + std::to_string(code) : Narrow(text);
}

void RaiseLastOSError(int code) { throw EOSError(code, SystemErrorMessage(code)); }

int LastSystemError() { return int(GetLastError()); }

} // namespace platform
