#pragma once
#include <string>
#include <string_view>

namespace platform {

// Inside the program relative names use '\'; the file system sees native separators only.
std::string ToNativePath(std::string_view path);

// Control characters and '"', '<', '>', '|' are not allowed in paths.
bool HasInvalidPathChars(std::string_view path);

// Rooted: begins with '\' or '/', or with a drive letter and a colon.
bool IsRootedName(std::string_view name);

// Folder and name joined the suite's way; with `check` a bad character raises
// "Invalid characters in path".
std::string JoinPath(std::string_view folder, std::string_view name, bool check = true);

// Appends one '\' unless the text already ends with one (a '/' does not count).
std::string IncludeTrailingBackslash(std::string_view text);

// Everything up to and including the last separator or drive colon.
std::string ExtractFilePath(std::string_view path);

bool FileExists(std::string_view path);      // a regular file, links followed
bool DirectoryExists(std::string_view path); // a folder, links followed

// Creates the folder and every missing folder above it; an existing folder is no error.
void ForceDirectories(std::string_view path);
// Creates one folder; false when it could not (it exists, or the folder above is missing).
bool CreateDir(std::string_view path);
// A folder only this account can enter, created so or found so (a link is not): true when it is.
bool EnsurePrivateFolder(std::string_view path);

std::string CurrentExecutablePath();

} // namespace platform
