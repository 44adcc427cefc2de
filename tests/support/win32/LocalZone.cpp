#include "LocalZone.h"

namespace testing_support {

TLocalZone::TLocalZone(const char*) {}
TLocalZone::~TLocalZone() = default;

} // namespace testing_support
