#pragma once
#include <cstdint>
#include <string>
#include <sys/types.h>

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

struct TProcessInformation {
  pid_t ProcessId = 0;
};

// Starts the program at `path` (the path alone: no shell, no arguments) with the launcher's
// environment and current folder, without waiting for it. The started program is never left
// as a zombie of ours. True when the program was started.
bool CreateProcess(const std::string& path, const TStartupInfo& startupInfo,
                   TProcessInformation& processInformation);

} // namespace platform
