#include "FileRead.h"

#include "WideText.h"

#include <vector>

namespace platform {

bool ReadFileChunks(std::string_view path, const std::function<void(std::string_view)>& chunk) {
  const HANDLE file =
      CreateFileW(WidePath(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                  OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (file == INVALID_HANDLE_VALUE)
    return false;
  std::vector<char> buffer(64 * 1024);
  DWORD n = 0;
  while (ReadFile(file, buffer.data(), DWORD(buffer.size()), &n, nullptr) && n > 0)
    chunk(std::string_view(buffer.data(), n));
  CloseHandle(file);
  return true;
}

} // namespace platform
