#pragma once
#include <filesystem>

namespace testing_support {

// The probe program built for the tests (support/ProcessProbe.cpp).
std::filesystem::path ProbeProgram();

} // namespace testing_support
