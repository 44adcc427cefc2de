#pragma once
#include <string>
#include <string_view>

// The server's log: one line at a time on standard output, each with its UTC time, as journald
// and any log collector want it.
namespace server_log {

void Line(std::string_view text);
// The same warning is written once for the life of the process.
void WarnOnce(const std::string& text);
// Bytes that may not be text, made readable: printable ASCII as it is, the rest as \xHH.
std::string Escaped(std::string_view bytes);

} // namespace server_log
