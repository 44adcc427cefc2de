#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Text in the named character set ("ISO-8859-1", "windows-1252", "UTF-16LE", …) as UTF-8, bytes
// it cannot map replaced; nothing when the system knows no such character set.
std::optional<std::string> CharsetToUtf8(std::string_view bytes, const std::string& charset);

} // namespace platform
