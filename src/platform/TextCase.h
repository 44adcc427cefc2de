#pragma once
#include <string>
#include <string_view>

namespace platform {

// Linguistic upper-casing for the user's locale (taken from the environment), UTF-8 in and out.
std::string AnsiUpperCase(std::string_view text);

// The same for an explicit ICU locale name such as "tr_TR"; for tests and tools.
std::string AnsiUpperCase(std::string_view text, const char* locale);

// How many leading bytes of `text` are well-formed UTF-8 (all of them for valid text).
std::size_t ValidUtf8Length(std::string_view text);

} // namespace platform
