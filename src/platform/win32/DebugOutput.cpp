#include "SystemDebugOutput.h"

#include "WideText.h"

namespace platform {

void SendToDebugger(std::string_view text) { OutputDebugStringW(Widen(text).c_str()); }

} // namespace platform
