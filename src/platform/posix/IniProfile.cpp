#include "IniProfile.h"

#include "FileRead.h"
#include "TextCase.h"

#include <vector>

namespace platform {

// Our reader: every entry kept in file order, looked up on each read.
class TIniProfile::TReader {
public:
  static std::shared_ptr<TReader> Parse(std::string_view content);
  static std::shared_ptr<TReader> Load(std::string_view path);

  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view defaultValue) const;

private:
  class LineReader;
  struct Entry {
    std::string Section, Key, Value;
    bool HasValue = true;
  };
  void AddLine(std::string_view line, std::string& section);
  std::vector<Entry> FEntries;
};

namespace {
// Long enough for any name or value we keep; the rest of a longer line is dropped unread.
constexpr std::size_t MaxLineBytes = 64 * 1024;
constexpr std::size_t MaxUtf16Bytes = 16 * 1024 * 1024;

std::string_view Trim(std::string_view text) {
  const auto first = text.find_first_not_of(" \t\r\n\v\f");
  if (first == std::string_view::npos)
    return {};
  const auto last = text.find_last_not_of(" \t\r\n\v\f");
  return text.substr(first, last - first + 1);
}

std::string_view Unquote(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front())
    return value.substr(1, value.size() - 2);
  return value;
}

std::string CutChars(std::string_view text, std::size_t maxChars) {
  std::size_t chars = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80 && chars++ == maxChars)
      return std::string(text.substr(0, i));
  }
  return std::string(text);
}

// A line that is not UTF-8 comes from an ANSI editor: read it as the Windows Western code page.
std::string LineToUtf8(std::string_view line) {
  return ValidUtf8Length(line) == line.size() ? std::string(line) : Cp1252ToUtf8(line);
}
} // namespace

void TIniProfile::TReader::AddLine(std::string_view raw, std::string& section) {
  const std::string utf8 = LineToUtf8(raw);
  const std::string_view line = Trim(utf8);
  if (line.empty())
    return;
  if (line.front() == '[') {
    const auto close = line.find(']');
    section = std::string(Trim(line.substr(1, close == std::string_view::npos ? line.npos
                                                                                : close - 1)));
    return;
  }
  const auto equals = line.find('=');
  if (equals == std::string_view::npos) { // a key without a value, which reads as absent
    FEntries.push_back({section, std::string(line), {}, false});
    return;
  }
  FEntries.push_back({section, std::string(Trim(line.substr(0, equals))),
                      CutChars(Unquote(Trim(line.substr(equals + 1))), MaxValueChars)});
}

// Splits a byte stream into lines, keeping at most MaxLineBytes of each.
class TIniProfile::TReader::LineReader {
public:
  explicit LineReader(TReader& profile) : FProfile(profile) {}

  void Feed(std::string_view data) {
    if (FFirst && data.substr(0, 3) == "\xEF\xBB\xBF")
      data.remove_prefix(3);
    FFirst = false;
    while (!data.empty()) {
      const auto end = data.find('\n');
      const auto piece = data.substr(0, end);
      if (FLine.size() < MaxLineBytes)
        FLine.append(piece.substr(0, MaxLineBytes - FLine.size()));
      if (end == std::string_view::npos)
        break;
      Flush();
      data.remove_prefix(end + 1);
    }
  }

  void Flush() {
    if (!FLine.empty())
      FProfile.AddLine(FLine, FSection);
    FLine.clear();
  }

private:
  TReader& FProfile;
  std::string FSection, FLine;
  bool FFirst = true;
};

std::shared_ptr<TIniProfile::TReader> TIniProfile::TReader::Parse(std::string_view content) {
  auto profile = std::make_shared<TReader>();
  LineReader reader(*profile);
  reader.Feed(content);
  reader.Flush();
  return profile;
}

std::shared_ptr<TIniProfile::TReader> TIniProfile::TReader::Load(std::string_view path) {
  auto profile = std::make_shared<TReader>();
  LineReader reader(*profile);
  std::string utf16;
  bool first = true, wide = false;
  // Chunk by chunk, so a huge or binary file costs no more memory than its kept lines.
  ReadFileChunks(path, [&](std::string_view chunk) {
    if (first) {
      first = false;
      wide = chunk.size() >= 2 && chunk[0] == '\xFF' && chunk[1] == '\xFE';
      if (wide)
        chunk.remove_prefix(2);
    }
    if (!wide)
      reader.Feed(chunk);
    else if (utf16.size() < MaxUtf16Bytes)
      utf16.append(chunk.substr(0, MaxUtf16Bytes - utf16.size()));
  });
  if (wide)
    return Parse(Utf16LeToUtf8(utf16));
  reader.Flush();
  return profile;
}

std::string TIniProfile::TReader::ReadString(std::string_view section, std::string_view key,
                                             std::string_view defaultValue) const {
  for (const Entry& entry : FEntries)
    if (SameTextIgnoringCase(entry.Section, section) && SameTextIgnoringCase(entry.Key, key))
      return entry.HasValue ? entry.Value : std::string(defaultValue);
  return std::string(defaultValue);
}

TIniProfile TIniProfile::Load(std::string_view path) { return TIniProfile(TReader::Load(path)); }

std::string TIniProfile::ReadString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue) const {
  return FReader->ReadString(section, key, defaultValue);
}

} // namespace platform
