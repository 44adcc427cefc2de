#pragma once
#include <filesystem>
#include <string>

namespace testing_support {

// What the system itself says for the failures the tests provoke, so a test states the
// expectation once for both systems.
std::string MissingFileMessage();
std::string AccessDeniedMessage();
std::string FolderNotEmptyMessage();

// What removing a folder as if it were a file reports: nothing here (not a failure the updater
// tells), denied access on Windows, whose file deletion refuses folders that way.
std::string FolderRemovalMessage();

// Whether a program may be replaced while it runs: here the name moves to the new file and the
// program runs on from the old one; Windows refuses with denied access.
bool RunningProgramsCanBeReplaced();

// Makes removing `file` fail with denied access: its folder read-only here, the file read-only
// on Windows. False when this account cannot be denied (root here).
bool DenyRemoval(const std::filesystem::path& file);

} // namespace testing_support
