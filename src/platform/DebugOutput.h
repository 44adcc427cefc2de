#pragma once
#include <string_view>

namespace platform {

// The debug output channel (OutputDebugStringW on Windows): standard error here, one line.
void WriteDebugString(std::string_view text);

// On by default; a tool that shares its terminal with a person turns it off unless asked.
void EnableDebugOutput(bool enabled);

} // namespace platform
