#pragma once
#include <string_view>

namespace platform {

// The debug output channel (OutputDebugStringW on Windows): standard error here, one line.
void OutputDebugString(std::string_view text);

} // namespace platform
