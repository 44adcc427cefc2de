#include "Shell.h"

#include "SharedLibrary.h"
#include "WideText.h"

#include <mapi.h>
#include <shellapi.h>

namespace platform {

bool ShellOpen(const std::string& target, int showCommand) {
  const auto result = reinterpret_cast<INT_PTR>(
      ShellExecuteW(nullptr, L"open", Widen(target).c_str(), nullptr, nullptr, showCommand));
  return result > 32;
}

// Simple MAPI, loaded when first asked for: a new message for the user to write and send.
int SendMail(const std::string& recipient) {
  try {
    const TSharedLibrary mapi("MAPI32.DLL");
    const auto send = reinterpret_cast<LPMAPISENDMAIL>(mapi.Symbol("MAPISendMail"));
    std::string address = "SMTP:" + recipient;
    MapiRecipDesc to{};
    to.ulRecipClass = MAPI_TO;
    to.lpszName = address.data();
    to.lpszAddress = address.data();
    MapiMessage message{};
    message.nRecipCount = 1;
    message.lpRecips = &to;
    const ULONG result = send(0, 0, &message, MAPI_DIALOG | MAPI_LOGON_UI, 0);
    return int(result);
  } catch (const std::exception&) {
    return MAPI_E_FAILURE;
  }
}

} // namespace platform
