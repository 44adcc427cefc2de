#pragma once
#include <string>
#include <string_view>

namespace platform {

// Linguistic upper-casing for the user's locale (taken from the environment), UTF-8 in and out.
std::string AnsiUpperCase(std::string_view text);

// Appends the upper-cased text to `out`; what a list of thousands of names uses.
void AppendAnsiUpperCase(std::string& out, std::string_view text);

// The same for an explicit ICU locale name such as "tr_TR"; for tests and tools.
std::string AnsiUpperCase(std::string_view text, const char* locale);

// Equal after case folding, the way the profile reader compares section and key names.
bool SameTextIgnoringCase(std::string_view a, std::string_view b);

// How many leading bytes of `text` are well-formed UTF-8 (all of them for valid text).
std::size_t ValidUtf8Length(std::string_view text);

// Each ill-formed sequence becomes U+FFFD, as a UTF-8 decoder reads it.
std::string RepairUtf8(std::string text);

// Text in the Windows Western code page, or in UTF-16 (little-endian bytes), as UTF-8.
std::string Cp1252ToUtf8(std::string_view text);
std::string Utf16LeToUtf8(std::string_view bytes);

} // namespace platform
