#include "DebugOutput.h"

#include <cstdio>
#include <string>

namespace platform {

void OutputDebugString(std::string_view text) {
  const std::string line = std::string(text) + '\n';
  std::fwrite(line.data(), 1, line.size(), stderr); // one write: lines of parallel fetches stay whole
}

} // namespace platform
