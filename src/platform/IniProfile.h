#pragma once
#include <memory>
#include <string>
#include <string_view>

namespace platform {

// Reads an INI file with the Windows profile-file rules the launcher relies on: section and key
// names compared without regard to case, the first match wins, blanks around keys and values
// trimmed, one pair of surrounding quotes removed, values cut at 2047 characters, a missing or
// unreadable file read as empty. Windows reads it with its own profile functions; elsewhere our
// reader keeps the same rules (the common INI libraries differ in exactly these: comments,
// quotes, duplicates, case). A file without a byte-order mark is read as UTF-8 where it is valid
// UTF-8 (what editors save today), else as the Windows Western code page.
class TIniProfile {
public:
  static constexpr std::size_t MaxValueChars = 2047;

  static TIniProfile Load(std::string_view path);

  // The default when the key is absent; "" when it is present and empty.
  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view defaultValue) const;

  class TReader; // the system's side

private:
  explicit TIniProfile(std::shared_ptr<const TReader> reader) : FReader(std::move(reader)) {}
  std::shared_ptr<const TReader> FReader;
};

} // namespace platform
