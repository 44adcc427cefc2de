#pragma once
#include <cstdint>

namespace platform {

// An open file of the system, for passing between the platform's own calls: a descriptor on
// POSIX, a HANDLE on Windows. Both systems mark "none" with -1.
using TFileHandle = std::intptr_t;
inline constexpr TFileHandle NoFileHandle = -1;

} // namespace platform
