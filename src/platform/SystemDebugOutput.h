#pragma once
#include <string_view>

namespace platform {

// The system's debugger channel (OutputDebugStringW on Windows; none here).
void SendToDebugger(std::string_view text);

} // namespace platform
