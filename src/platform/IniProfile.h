#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Reads an INI file with the Windows profile-file rules the launcher relies on: section and key
// names compared without regard to case, the first match wins, blanks around keys and values
// trimmed, one pair of surrounding quotes removed, values cut at 2047 characters, a missing or
// unreadable file read as empty. Written here because the common INI libraries differ in exactly
// these rules (comments, quotes, duplicates, case).
class TIniProfile {
public:
  static constexpr std::size_t MaxValueChars = 2047;

  static TIniProfile Load(std::string_view path);
  static TIniProfile Parse(std::string_view content);

  // The default when the key is absent; "" when it is present and empty.
  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view defaultValue) const;

private:
  class LineReader;
  struct Entry {
    std::string Section, Key, Value;
  };
  void AddLine(std::string_view line, std::string& section);
  std::vector<Entry> FEntries;
};

} // namespace platform
