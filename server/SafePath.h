#pragma once
#include "OwnedFd.h"

#include <string>
#include <string_view>
#include <sys/stat.h>

using platform::TFd;

enum class TPathCheck { Found, Missing, Refused };
// What the caller will do with what it finds: read a file, read a folder, or only look at it.
enum class TWant { File, Folder, Any };

struct TResolved {
  TPathCheck Check = TPathCheck::Missing;
  TFd Fd;               // open as wanted; for a file, a regular file only
  struct stat Stat {};  // of what Fd holds
  std::string Relative; // below the root, '/' between parts, links resolved, spelled as on disk
};

// The served tree. A request's name is resolved one part at a time against folders already
// open, matched to what is on disk without regard to letter case (exact spelling first); links
// are read and followed here, never by the kernel, so a link swapped in during a request cannot
// lead out of the root. Names that try to leave the root ("..", absolute names, drive letters,
// NUL bytes, links that lead out) are refused.
class TRootFolder {
public:
  // Raises std::runtime_error when `path` is not a folder that can be opened.
  explicit TRootFolder(const std::string& path);

  const std::string& Path() const { return FPath; }
  int Fd() const { return FFd.Get(); }

  // `relative`: '\' or '/' between parts; empty or "\" is the root itself.
  TResolved Resolve(std::string_view relative, TWant want) const;

private:
  std::string FPath; // canonical
  TFd FFd;
};
