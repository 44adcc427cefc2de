#pragma once
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace platform {

// The start-up record every program start shares; its meaning is the Windows STARTUPINFOW one
// (size, STARTF_USESHOWWINDOW, SW_SHOWNORMAL) so a Windows backend can fill that record from it.
struct TStartupInfo {
  static constexpr std::uint32_t STARTF_USESHOWWINDOW = 1;
  static constexpr std::uint16_t SW_SHOWNORMAL = 1;

  std::uint32_t Size = 0;
  std::uint32_t Flags = 0;
  std::uint16_t ShowWindow = 0;

  // A normal window: the one form the launcher uses.
  static TStartupInfo NormalWindow() {
    return {sizeof(TStartupInfo), STARTF_USESHOWWINDOW, SW_SHOWNORMAL};
  }
};

// The system's number for a process (a pid, or a Windows process id); 0 for none.
using TProcessId = std::int64_t;

struct TProcessInformation {
  TProcessId ProcessId = 0;
};

// Starts the program at `path` (the path alone: no shell, no arguments) with the launcher's
// environment and current folder, without waiting for it. The started program is never left
// as a zombie of ours. True when the program was started.
bool StartProgram(const std::string& path, const TStartupInfo& startupInfo,
                  TProcessInformation& processInformation);

// Starts argv[0] (looked up on PATH when `searchPath`) with the given arguments, detached like
// StartProgram; the process id, or 0 when it could not be started.
TProcessId StartDetached(const std::vector<std::string>& argv, bool searchPath);

// Runs a helper program (looked up on PATH) and waits up to `patience` for its exit status:
// 127 when it cannot be run; nothing when it is still running (it is reaped later).
std::optional<int> RunAndWait(const std::vector<std::string>& argv,
                              std::chrono::milliseconds patience);

} // namespace platform
