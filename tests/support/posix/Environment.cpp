#include "Environment.h"

#include <cstdlib>

namespace testing_support {

void SetVariable(const std::string& name, const std::string& value) {
  setenv(name.c_str(), value.c_str(), 1);
}

} // namespace testing_support
