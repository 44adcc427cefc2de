#include "SystemFailures.h"

#include "Errors.h"

#include <windows.h>

namespace testing_support {

std::string MissingFileMessage() { return platform::SystemErrorMessage(ERROR_FILE_NOT_FOUND); }
std::string AccessDeniedMessage() { return platform::SystemErrorMessage(ERROR_ACCESS_DENIED); }
std::string FolderNotEmptyMessage() { return platform::SystemErrorMessage(ERROR_DIR_NOT_EMPTY); }
std::string FolderRemovalMessage() { return AccessDeniedMessage(); }

bool RunningProgramsCanBeReplaced() { return false; }

bool DenyRemoval(const std::filesystem::path& file) {
  return SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY) != 0;
}

} // namespace testing_support
