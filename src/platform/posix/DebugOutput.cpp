#include "SystemDebugOutput.h"

namespace platform {

void SendToDebugger(std::string_view) {} // debuggers here read standard error

} // namespace platform
