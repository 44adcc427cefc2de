#pragma once
#include <string>

namespace testing_support {

// Runs a test in a time zone with daylight-saving time and restores the old zone after. Here the
// zone is the TZ variable's; Windows takes it from the machine, so there the test runs in
// the machine's zone (the conversions are the same calls either way).
class TLocalZone {
public:
  explicit TLocalZone(const char* zone);
  ~TLocalZone();
  TLocalZone(const TLocalZone&) = delete;
  TLocalZone& operator=(const TLocalZone&) = delete;

private:
  std::string FOld;
};

} // namespace testing_support
