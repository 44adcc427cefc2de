#include "LocalZone.h"

#include <cstdlib>
#include <ctime>

namespace testing_support {

TLocalZone::TLocalZone(const char* zone) {
  if (const char* old = std::getenv("TZ"))
    FOld = old;
  setenv("TZ", zone, 1);
  tzset();
}

TLocalZone::~TLocalZone() {
  if (FOld.empty())
    unsetenv("TZ");
  else
    setenv("TZ", FOld.c_str(), 1);
  tzset();
}

} // namespace testing_support
