#pragma once
#include <functional>
#include <string_view>

namespace platform {

// Reads the file at `path` from start to end, handing each chunk to `chunk` as it arrives; false
// when it cannot be opened (a read error ends it early).
bool ReadFileChunks(std::string_view path, const std::function<void(std::string_view)>& chunk);

} // namespace platform
