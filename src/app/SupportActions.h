#pragma once
#include <string>

// The vendor's support mailbox.
inline constexpr const char* SupportMailAddress = "suporte@norvane.com.br";
inline constexpr const char* RemoteSupportToolName = "TeamViewerQS_pt.exe";

// What the simple-mail service's result code means, in the user's message; "" for other codes.
std::string MailResultText(int code);

// Whether the support tool must be copied from `ASourceFolder` to `ADestFolder` (names joined
// as plain text): it exists centrally and is missing at the destination or differs from it at
// two-second resolution. A differing destination copy is deleted first; a failure to delete is
// ignored.
bool PrepareSupportCopy(const std::string& ASourceFolder, const std::string& ADestFolder,
                        const std::string& AFile);
