#pragma once
#include "DateTime.h"
#include "FileHandle.h"

#include <string_view>

namespace platform {

// The file's last-write time as a local age; MissingAge when missing or unreadable.
TDateTime GetFileAge(std::string_view path);

// Stamps the last-write time from an age taken as local time; false when it cannot.
bool SetFileAge(std::string_view path, TDateTime age);
bool SetFileAge(TFileHandle file, TDateTime age);

// The open file's last-write instant; nothing when it cannot be read.
std::optional<TInstant> GetFileWritten(TFileHandle file);

} // namespace platform

namespace platform {

// The last-write time as the packed local date and time of the FAT file system (two-second
// resolution), as older Windows calls report it; -1 when it cannot be read.
int PackedFileAge(std::string_view path);

} // namespace platform
