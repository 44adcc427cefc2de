#pragma once
#include <cstdint>
#include <functional>
#include <string_view>

namespace platform {

using TCopyProgress = std::function<void(std::uint64_t copied, std::uint64_t total)>;

// Copies a file with its last-write time and permission bits, as the shell's copy does,
// reporting progress as it goes. The target is replaced in one step once the copy is complete.
// Raises the system's error; the target is then left as it was.
void CopyFileWithProgress(std::string_view source, std::string_view target,
                          const TCopyProgress& progress);

} // namespace platform
