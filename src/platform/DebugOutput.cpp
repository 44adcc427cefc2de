#include "DebugOutput.h"

#include "SystemDebugOutput.h"

#include <atomic>
#include <cstdio>
#include <string>

namespace platform {

namespace {
std::atomic<bool> Enabled{true};
}

// The debugger's channel, and standard error for the console tools that show it.
void WriteDebugString(std::string_view text) {
  if (!Enabled.load(std::memory_order_relaxed))
    return;
  SendToDebugger(text);
  const std::string line = std::string(text) + '\n';
  std::fwrite(line.data(), 1, line.size(), stderr); // one write: lines of parallel fetches stay whole
}

void EnableDebugOutput(bool enabled) {
  Enabled.store(enabled, std::memory_order_relaxed);
}

} // namespace platform
