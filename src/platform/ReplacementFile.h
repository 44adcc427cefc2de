#pragma once
#include "DateTime.h"

#include <string>
#include <string_view>
#include <sys/types.h>

namespace platform {

// A new content for `target`, written beside it and put in its place in one step, so no
// partly written file is ever seen under the real name and a failure keeps the old copy.
// The work file has a fixed name next to the target and is locked while it is written: a work
// file left by a killed run is taken over and cleaned up by the next fetch of that file, and a
// fetch of another process waits for the one in progress.
class TReplacementFile {
public:
  // Opens and locks the work file; the target's folder must exist. Raises the system's error.
  explicit TReplacementFile(std::string_view target);
  // Removes the work file unless Commit succeeded.
  ~TReplacementFile();
  TReplacementFile(const TReplacementFile&) = delete;
  TReplacementFile& operator=(const TReplacementFile&) = delete;

  int Fd() const { return FFd; }
  // True when another process held the work file and this one had to wait for it.
  bool Waited() const { return FWaited; }

  // Stamps the last-write time (age as local time) and permission bits, then renames the work
  // file over the target. Raises the system's error; the old target then stays.
  void Commit(TDateTime age, mode_t mode);

  static std::string WorkFileName(std::string_view target);

private:
  std::string FTarget, FWork;
  int FFd = -1;
  bool FWaited = false;
  bool FCommitted = false;
};

} // namespace platform
