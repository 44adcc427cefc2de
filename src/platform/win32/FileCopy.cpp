#include "FileCopy.h"

#include "Errors.h"
#include "WideText.h"

#include <vector>

namespace platform {

bool WriteAll(TFileHandle file, std::string_view data) {
  while (!data.empty()) {
    const DWORD step = DWORD(std::min<std::size_t>(data.size(), 1 << 30));
    DWORD written = 0;
    if (!WriteFile(reinterpret_cast<HANDLE>(file), data.data(), step, &written, nullptr) ||
        written == 0)
      return false;
    data.remove_prefix(written);
  }
  return true;
}

TCopiedFile CopyFileInto(std::string_view source, TFileHandle target,
                         const TCopyProgress& progress) {
  const HANDLE in = CreateFileW(WidePath(source).c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (in == INVALID_HANDLE_VALUE)
    RaiseLastOSError(int(GetLastError()));
  struct Closer {
    HANDLE H;
    ~Closer() { CloseHandle(H); }
  } closer{in};
  BY_HANDLE_FILE_INFORMATION info{};
  if (!GetFileInformationByHandle(in, &info))
    RaiseLastOSError(int(GetLastError()));
  const std::uint64_t total = std::uint64_t(info.nFileSizeHigh) << 32 | info.nFileSizeLow;
  std::vector<char> buffer(1 << 20);
  std::uint64_t copied = 0;
  for (;;) {
    DWORD n = 0;
    if (!ReadFile(in, buffer.data(), DWORD(buffer.size()), &n, nullptr))
      RaiseLastOSError(int(GetLastError()));
    if (n == 0)
      break;
    if (!WriteAll(target, std::string_view(buffer.data(), n)))
      RaiseLastOSError(int(GetLastError()));
    copied += n;
    if (progress)
      progress(copied, total);
  }
  // Windows keeps no permission bits: a read-only file is the one thing to carry over.
  const unsigned mode = info.dwFileAttributes & FILE_ATTRIBUTE_READONLY ? 0444 : 0666;
  return {mode, InstantFromFileTime(info.ftLastWriteTime)};
}

} // namespace platform
