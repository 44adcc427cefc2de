#pragma once
#include "DateTime.h"
#include "FileHandle.h"

#include <cstdint>
#include <functional>
#include <string_view>

namespace platform {

using TCopyProgress = std::function<void(std::uint64_t copied, std::uint64_t total)>;

// What a copy takes over from its source besides the bytes.
struct TCopiedFile {
  unsigned Mode; // POSIX mode bits; on Windows read-only or not
  TInstant Written;
};

// Copies the whole file at `source` into the open file `target`, reporting progress as it
// goes. Raises the system's error.
TCopiedFile CopyFileInto(std::string_view source, TFileHandle target,
                         const TCopyProgress& progress = {});

// Copies a file with its last-write time and permission bits, as the shell's copy does. The
// target is replaced in one step once the copy is complete; on an error it stays as it was.
void CopyFileWithProgress(std::string_view source, std::string_view target,
                          const TCopyProgress& progress);

// The permission bits a copy named `name` gets from its source's mode: nothing beyond 0777,
// and a program of the suite, known on every system by its ".exe" name (any case), is made
// executable wherever it is readable.
unsigned CopyPermissions(std::string_view name, unsigned sourceMode);

// Writes all of `data`; false (the reason in LastSystemError) when the file takes no more.
bool WriteAll(TFileHandle file, std::string_view data);

} // namespace platform
