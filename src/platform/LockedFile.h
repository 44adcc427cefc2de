#pragma once
#include "FileHandle.h"

#include <string_view>

namespace platform {

// A file opened for writing (created when missing) and held exclusively by this process: a
// second holder of ours is turned away, not made to wait. Closed when it goes.
class TLockedFile {
public:
  enum class TOpened { Yes, Failed, HeldByAnother };

  TLockedFile() = default;
  ~TLockedFile();
  TLockedFile(const TLockedFile&) = delete;
  TLockedFile& operator=(const TLockedFile&) = delete;

  TOpened Open(std::string_view path);
  bool Truncate();
  // False when closing reported an error (the data may not all have been written).
  bool Close();
  TFileHandle Handle() const { return FHandle; }

private:
  TFileHandle FHandle = NoFileHandle;
};

} // namespace platform
