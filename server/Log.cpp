#include "Log.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <mutex>
#include <set>

namespace server_log {

namespace {
std::mutex Lock;
std::set<std::string> Warned;

std::string Now() {
  const auto now = std::chrono::system_clock::now();
  const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
  const auto ms =
      std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()) % 1000;
  std::tm utc{};
  gmtime_r(&seconds, &utc);
  char text[96];
  std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d.%03dZ", utc.tm_year + 1900,
                utc.tm_mon + 1, utc.tm_mday, utc.tm_hour, utc.tm_min, utc.tm_sec, int(ms.count()));
  return text;
}
} // namespace

void Line(std::string_view text) {
  const std::string line = Now() + " " + std::string(text) + "\n";
  std::lock_guard guard(Lock);
  std::fwrite(line.data(), 1, line.size(), stdout);
  std::fflush(stdout);
}

void WarnOnce(const std::string& text) {
  {
    std::lock_guard guard(Lock);
    if (!Warned.insert(text).second)
      return;
  }
  Line("warning: " + text);
}

std::string Escaped(std::string_view bytes) {
  std::string text;
  for (const unsigned char c : bytes) {
    if (c >= 0x20 && c < 0x7F && c != '\\') {
      text += char(c);
    } else {
      char hex[5];
      std::snprintf(hex, sizeof hex, "\\x%02X", c);
      text += hex;
    }
  }
  return text;
}

} // namespace server_log
