#include "Charset.h"

#include "WideText.h"

#include <algorithm>
#include <cctype>

namespace platform {

namespace {
// The names an HTTP server puts in a content type, and Windows's code pages for them.
struct TCodePage {
  const char* Name;
  UINT Page;
};
constexpr TCodePage CodePages[] = {
    {"utf-8", CP_UTF8},          {"utf8", CP_UTF8},         {"iso-8859-1", 28591},
    {"latin1", 28591},           {"iso-8859-15", 28605},    {"windows-1252", 1252},
    {"cp1252", 1252},            {"us-ascii", 20127},       {"ascii", 20127},
    {"utf-16le", 1200},          {"utf-16be", 1201},        {"utf-16", 1200},
    {"windows-1250", 1250},      {"iso-8859-2", 28592},     {"koi8-r", 20866},
    {"windows-1251", 1251},      {"shift_jis", 932},        {"gb2312", 936},
    {"big5", 950},               {"euc-kr", 949},           {"euc-jp", 20932},
};

std::optional<UINT> CodePageOf(std::string name) {
  std::transform(name.begin(), name.end(), name.begin(),
                 [](unsigned char c) { return char(std::tolower(c)); });
  for (const TCodePage& page : CodePages)
    if (name == page.Name)
      return page.Page;
  return std::nullopt;
}

std::wstring Utf16(std::string_view bytes, bool bigEndian) {
  std::wstring text(bytes.size() / 2, L'\0');
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto a = std::uint8_t(bytes[2 * i]), b = std::uint8_t(bytes[2 * i + 1]);
    text[i] = wchar_t(bigEndian ? a << 8 | b : b << 8 | a);
  }
  return text;
}
} // namespace

std::optional<std::string> CharsetToUtf8(std::string_view bytes, const std::string& charset) {
  const auto page = CodePageOf(charset);
  if (!page)
    return std::nullopt;
  if (*page == 1200 || *page == 1201) // not code pages MultiByteToWideChar takes
    return Narrow(Utf16(bytes, *page == 1201));
  if (bytes.empty())
    return std::string();
  const int n = MultiByteToWideChar(*page, 0, bytes.data(), int(bytes.size()), nullptr, 0);
  if (n <= 0)
    return std::nullopt;
  std::wstring wide(std::size_t(n), L'\0');
  MultiByteToWideChar(*page, 0, bytes.data(), int(bytes.size()), wide.data(), n);
  return Narrow(wide);
}

} // namespace platform
