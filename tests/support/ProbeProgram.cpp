#include "ProbeProgram.h"

#include "Paths.h"

namespace testing_support {

// Beside the test folders: build/tests/process_probe, the tests in build/tests/SUITE/.
std::filesystem::path ProbeProgram() {
  const std::filesystem::path self(platform::CurrentExecutablePath());
  return self.parent_path().parent_path() / ("process_probe" NORVANE_EXE_SUFFIX);
}

} // namespace testing_support
