#pragma once
#include <string_view>

namespace platform {

// The system's deletion for the strict one: raises the system's error for a missing file,
// denied access or a file in use, and stays silent for any other failure.
void RemoveFile(std::string_view path);
// The system's deletion where a failure is no error: false when the file stays.
bool TryDeleteFile(std::string_view path);

} // namespace platform
