#pragma once
#include <string>
#include <string_view>
#include <variant>
#include <vector>

using TFormatArg = std::variant<std::string, long long>;

// printf-like formatting of "%s", "%d" and "%%", one argument per directive, in order (not
// named FormatMessage, which windows.h takes).
// Raises "Format '%s' invalid or incompatible with argument" for a directive that does not fit
// its argument and "No argument for format '%s'" when the arguments run out.
std::string FormatText(std::string_view format, const std::vector<TFormatArg>& args);
