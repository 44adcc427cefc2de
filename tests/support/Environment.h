#pragma once
#include <string>

namespace testing_support {

// Sets a variable of this process's environment, which the programs it starts inherit.
void SetVariable(const std::string& name, const std::string& value);

} // namespace testing_support
