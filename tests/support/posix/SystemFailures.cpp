#include "SystemFailures.h"

#include "Errors.h"

#include <cerrno>
#include <unistd.h>

namespace testing_support {

std::string MissingFileMessage() { return platform::SystemErrorMessage(ENOENT); }
std::string AccessDeniedMessage() { return platform::SystemErrorMessage(EACCES); }
std::string FolderNotEmptyMessage() { return platform::SystemErrorMessage(ENOTEMPTY); }
std::string FolderRemovalMessage() { return ""; }

bool RunningProgramsCanBeReplaced() { return true; }

bool DenyRemoval(const std::filesystem::path& file) {
  if (geteuid() == 0)
    return false; // root may delete anything
  std::filesystem::permissions(file.parent_path(), std::filesystem::perms::owner_read |
                                                       std::filesystem::perms::owner_exec);
  return true;
}

} // namespace testing_support
