#pragma once
#include <string_view>

// Windows file-name wildcards: '*' any run of characters, '?' one character, letters compared
// without regard to ASCII case; "*.*" matches every name, with or without an extension.
bool MatchesMask(std::string_view name, std::string_view mask);
