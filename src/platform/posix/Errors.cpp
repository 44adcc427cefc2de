#include "Errors.h"

#include <cerrno>
#include <cstring>

namespace platform {

std::string SystemErrorMessage(int code) {
  char buffer[256];
  // GNU strerror_r may return a static string instead of filling the buffer.
  const char* text = strerror_r(code, buffer, sizeof buffer);
  return text ? std::string(text) : std::string("Unknown error ") + std::to_string(code);
}

void RaiseLastOSError(int code) { throw EOSError(code, SystemErrorMessage(code)); }

int LastSystemError() { return errno; }

} // namespace platform
