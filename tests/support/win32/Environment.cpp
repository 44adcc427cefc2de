#include "Environment.h"

#include "WideText.h"

namespace testing_support {

// The system's block is what CreateProcess hands on; the C runtime's copy serves getenv here.
void SetVariable(const std::string& name, const std::string& value) {
  SetEnvironmentVariableW(platform::Widen(name).c_str(), platform::Widen(value).c_str());
  _putenv_s(name.c_str(), value.c_str());
}

} // namespace testing_support
