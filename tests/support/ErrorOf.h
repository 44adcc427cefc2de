#pragma once
#include "Errors.h"

#include <functional>
#include <string>

namespace testing_support {

// The message of the program error that `action` raises, or "" when it raises none.
inline std::string ErrorOf(const std::function<void()>& action) {
  try {
    action();
    return "";
  } catch (const platform::EError& e) {
    return e.what();
  }
}

} // namespace testing_support
