#pragma once
#include <string>

namespace platform {

// The Windows show command SW_SHOWMAXIMIZED, under a name of our own (windows.h defines it).
inline constexpr int ShowMaximized = 3;

// Opens a document or address with the user's preferred program, as the Windows shell's "open"
// verb does (xdg-open here); `showCommand` is the window state a Windows backend asks for.
// The result is whether the opener could be started; callers may ignore it.
bool ShellOpen(const std::string& target, int showCommand = ShowMaximized);

// The simple-mail service: a new message to `recipient` in the user's mail program, for the
// user to write and send. Returns the simple-mail result code: 0 when the mail program took
// the message, 1 when there is no mail service (or the user gave up), 2 for other failures.
int SendMail(const std::string& recipient);

} // namespace platform
