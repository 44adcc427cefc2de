#pragma once
#include <string_view>

namespace platform {

// The updater's deletion: fails loudly for a bad path, a missing folder, a missing file,
// denied access or a file in use; any other failure of the deletion is silent.
void StrictDeleteFile(std::string_view path);

} // namespace platform
