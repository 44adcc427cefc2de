#pragma once
#include "DateTime.h"
#include "FileHandle.h"

#include <string>
#include <string_view>

namespace platform {

// A new content for `target`, written beside it and put in its place in one step, so no
// partly written file is ever seen under the real name and a failure keeps the old copy.
// The work file has a fixed name next to the target and is locked while it is written: a work
// file left by a killed run (of any account) is taken over by the next fetch of that file, and
// a fetch of another process waits for the one in progress. Whatever else sits at the work
// file's name (a link, a pipe, a second name of some other file) is removed, never written.
class TReplacementFile {
public:
  // Opens and locks the work file; the target's folder must exist. Raises the system's error.
  explicit TReplacementFile(std::string_view target);
  // Removes the work file unless Commit succeeded.
  ~TReplacementFile();
  TReplacementFile(const TReplacementFile&) = delete;
  TReplacementFile& operator=(const TReplacementFile&) = delete;

  TFileHandle Handle() const { return FFd; }
  // True when another process held the work file and this one had to wait for it.
  bool Waited() const { return FWaited; }

  // Who makes the rename itself durable: Commit at once, or the caller, once for many files.
  enum class TFolderFlush { Now, ByCaller };

  // Stamps the permission bits (nothing beyond 0777) and the last-write time (age as local
  // time), flushes the file to disk and renames it over the target, then flushes the folder
  // unless the caller does. Raises the system's error, or "Age out of range…" when the file
  // system cannot keep the age; the old target then stays.
  void Commit(TDateTime age, unsigned permissions, TFolderFlush folder = TFolderFlush::Now);

  static std::string WorkFileName(std::string_view target);

private:
  static void StampAge(TFileHandle file, TDateTime age);

  std::string FTarget, FWork;
  int FFd = -1; // the work file, open for writing
  bool FWaited = false;
  bool FCommitted = false;
};

// Makes the renames done in `folder` survive a power cut. Raises the system's error.
void FlushFolder(std::string_view folder);

} // namespace platform
