#pragma once
#include "DateTime.h"

#include <functional>
#include <string>
#include <string_view>

namespace platform {

// Lists every file below `root` at any depth, hidden ones included; folders are not listed.
// Links are followed, so a folder reached under two names is listed under both; a link back to
// a folder being walked ends there. A subfolder that cannot be read is left out. `found` gets the
// path below the root with '\' between folders, and the file's last-write instant. Raises "The
// specified path was not found" when `root` is not a readable folder.
void ScanFiles(std::string_view root,
               const std::function<void(std::string_view relative, const TInstant& written)>& found);

} // namespace platform
