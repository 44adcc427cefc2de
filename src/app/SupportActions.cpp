#include "SupportActions.h"

#include "FileTimes.h"
#include "Paths.h"
#include "SystemFileRemoval.h"

#include <map>

std::string MailResultText(int code) {
  static const std::map<int, const char*> texts = {
      {1, "The user canceled one of the dialog boxes; no message was sent."},
      {2, "One or more unspecified errors occurred; no message was sent."},
      {3, "There was no default logon, and the user failed to log on successfully when the logon "
          "dialog box was displayed. No message was sent."},
      {5, "There was insufficient memory to proceed. No message was sent."},
      {9, "There were too many file attachments; no message was sent."},
      {10, "There were too many recipients; no message was sent."},
      {11, "The specified attachment was not found. No message was sent."},
      {12, "The specified attachment could not be open; no message was sent."},
      {14, "A recipient did not appear in the address list; no message was sent."},
      {15, "The type of a recipient was not MAPI_TO, MAPI_CC, or MAPI_BCC. No message was sent."},
      {18, "The text in the message was too large to sent; the message was not sent."},
      {21, "A recipient matched more than one of the recipient descriptor structures and "
           "MAPI_DIALOG was not set. No message was sent."},
  };
  const auto found = texts.find(code);
  return found == texts.end() ? std::string() : found->second;
}

bool PrepareSupportCopy(const std::string& ASourceFolder, const std::string& ADestFolder,
                        const std::string& AFile) {
  const std::string source = ASourceFolder + AFile;
  const std::string dest = ADestFolder + AFile;
  if (!platform::FileExists(source))
    return false;
  if (!platform::FileExists(dest))
    return true;
  if (platform::PackedFileAge(source) == platform::PackedFileAge(dest))
    return false;
  platform::TryDeleteFile(dest); // a copy that stays is replaced by the copy itself
  return true;
}
