#pragma once
#include "DateTime.h"

#include <ctime>

namespace platform {

inline TInstant InstantFromTimespec(const timespec& time) {
  return {time.tv_sec, static_cast<std::int32_t>(time.tv_nsec)};
}

} // namespace platform
