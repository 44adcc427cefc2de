#include "IniProfile.h"

#include "Paths.h"

#include <fstream>
#include <memory>
#include <unicode/uchar.h>
#include <unicode/ucnv.h>
#include <unicode/unistr.h>

namespace platform {

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

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
  const auto ua = icu::UnicodeString::fromUTF8(icu::StringPiece(a.data(), int32_t(a.size())));
  const auto ub = icu::UnicodeString::fromUTF8(icu::StringPiece(b.data(), int32_t(b.size())));
  return ua.caseCompare(ub, U_FOLD_CASE_DEFAULT) == 0;
}

std::string Convert(std::string_view bytes, const char* charset) {
  UErrorCode status = U_ZERO_ERROR;
  icu::UnicodeString text(bytes.data(), int32_t(bytes.size()), charset);
  std::string result;
  if (U_SUCCESS(status))
    text.toUTF8String(result);
  return result;
}

bool IsValidUtf8(std::string_view text) {
  UErrorCode status = U_ZERO_ERROR;
  std::unique_ptr<UConverter, decltype(&ucnv_close)> converter(ucnv_open("UTF-8", &status),
                                                               &ucnv_close);
  if (U_FAILURE(status))
    return false;
  ucnv_setToUCallBack(converter.get(), UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr,
                      &status);
  std::u16string sink(text.size() + 1, u'\0');
  ucnv_toUChars(converter.get(), reinterpret_cast<UChar*>(sink.data()), int32_t(sink.size()),
                text.data(), int32_t(text.size()), &status);
  return U_SUCCESS(status);
}

// A line that is not UTF-8 comes from an ANSI editor: read it as the Windows Western code page.
std::string LineToUtf8(std::string_view line) {
  return IsValidUtf8(line) ? std::string(line) : Convert(line, "windows-1252");
}
} // namespace

void TIniProfile::AddLine(std::string_view raw, std::string& section) {
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
  if (equals == std::string_view::npos)
    return;
  FEntries.push_back({section, std::string(Trim(line.substr(0, equals))),
                      CutChars(Unquote(Trim(line.substr(equals + 1))), MaxValueChars)});
}

// Splits a byte stream into lines, keeping at most MaxLineBytes of each.
class TIniProfile::LineReader {
public:
  explicit LineReader(TIniProfile& profile) : FProfile(profile) {}

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
  TIniProfile& FProfile;
  std::string FSection, FLine;
  bool FFirst = true;
};

TIniProfile TIniProfile::Parse(std::string_view content) {
  TIniProfile profile;
  LineReader reader(profile);
  reader.Feed(content);
  reader.Flush();
  return profile;
}

TIniProfile TIniProfile::Load(std::string_view path) {
  std::ifstream file(ToNativePath(path), std::ios::binary);
  if (!file)
    return {};
  char bom[2] = {};
  file.read(bom, 2);
  if (file.gcount() == 2 && bom[0] == '\xFF' && bom[1] == '\xFE') {
    std::string bytes(MaxUtf16Bytes, '\0');
    file.read(bytes.data(), std::streamsize(bytes.size()));
    bytes.resize(std::size_t(file.gcount()));
    return Parse(Convert(bytes, "UTF-16LE"));
  }
  file.clear();
  file.seekg(0);
  // Chunk by chunk, so a huge or binary file costs no more memory than its kept lines.
  TIniProfile profile;
  LineReader reader(profile);
  std::vector<char> chunk(64 * 1024);
  while (file.read(chunk.data(), std::streamsize(chunk.size())) || file.gcount() > 0)
    reader.Feed(std::string_view(chunk.data(), std::size_t(file.gcount())));
  reader.Flush();
  return profile;
}

std::string TIniProfile::ReadString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue) const {
  for (const Entry& entry : FEntries)
    if (EqualsIgnoreCase(entry.Section, section) && EqualsIgnoreCase(entry.Key, key))
      return entry.Value;
  return std::string(defaultValue);
}

} // namespace platform
