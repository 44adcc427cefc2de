#include "Shell.h"

#include "Process.h"

namespace platform {

bool ShellOpen(const std::string& target, int) {
  return StartDetached({"xdg-open", target}, true) > 0;
}

int SendMail(const std::string& recipient) {
  // A mail program may stay in the foreground until the message is written: past a few seconds
  // it has taken the message.
  constexpr std::chrono::seconds patience{5};
  const auto mail = RunAndWait({"xdg-email", "--utf8", recipient}, patience);
  if (!mail || *mail == 0)
    return 0;
  const auto opened = RunAndWait({"xdg-open", "mailto:" + recipient}, patience);
  if (!opened || *opened == 0)
    return 0;
  return 1;
}

} // namespace platform
