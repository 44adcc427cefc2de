#include "TextCase.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <unicode/locid.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>
#include <unicode/utf8.h>

namespace platform {

namespace {
bool IsAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Turkish and Azeri map 'i' to a dotted capital; ASCII elsewhere upper-cases the plain way.
bool HasSpecialAsciiCasing(const icu::Locale& locale) {
  const char* language = locale.getLanguage();
  return std::strcmp(language, "tr") == 0 || std::strcmp(language, "az") == 0;
}

std::string UpperCase(std::string_view text, const icu::Locale& locale) {
  // Hot path: a central tree holds thousands of plain ASCII names.
  if (IsAscii(text) && !HasSpecialAsciiCasing(locale)) {
    std::string result(text);
    for (char& c : result)
      if (c >= 'a' && c <= 'z')
        c = static_cast<char>(c - 'a' + 'A');
    return result;
  }
  // One character for one, as the platform's linguistic upper-casing does (so "ß" stays and no
  // two distinct names can meet), with the locale's own rule for the dotted i. Bytes that are
  // not UTF-8 stay as they are, so such names stay distinct too.
  const bool dottedI = HasSpecialAsciiCasing(locale);
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
  const auto length = static_cast<int32_t>(text.size());
  std::string result;
  result.reserve(text.size() + 8);
  for (int32_t i = 0; i < length;) {
    const int32_t start = i;
    UChar32 c = 0;
    U8_NEXT(bytes, i, length, c);
    if (c < 0) {
      result.append(text.data() + start, static_cast<std::size_t>(i - start));
      continue;
    }
    const UChar32 upper = dottedI && c == 'i' ? 0x130 : u_toupper(c);
    std::uint8_t encoded[U8_MAX_LENGTH];
    int32_t size = 0;
    U8_APPEND_UNSAFE(encoded, size, upper);
    result.append(reinterpret_cast<const char*>(encoded), static_cast<std::size_t>(size));
  }
  return result;
}

const icu::Locale& UserLocale() {
  // ICU reads LC_ALL / LC_CTYPE / LANG once; the user's locale does not change while we run.
  static const icu::Locale locale = icu::Locale::getDefault();
  return locale;
}
} // namespace

bool SameTextIgnoringCase(std::string_view a, std::string_view b) {
  const auto ua = icu::UnicodeString::fromUTF8(icu::StringPiece(a.data(), int32_t(a.size())));
  const auto ub = icu::UnicodeString::fromUTF8(icu::StringPiece(b.data(), int32_t(b.size())));
  return ua.caseCompare(ub, U_FOLD_CASE_DEFAULT) == 0;
}

std::string AnsiUpperCase(std::string_view text) { return UpperCase(text, UserLocale()); }

void AppendAnsiUpperCase(std::string& out, std::string_view text) {
  static const bool plainAscii = !HasSpecialAsciiCasing(UserLocale());
  if (!plainAscii || !IsAscii(text)) {
    out += AnsiUpperCase(text);
    return;
  }
  const std::size_t start = out.size();
  out += text;
  for (std::size_t i = start; i < out.size(); ++i)
    if (out[i] >= 'a' && out[i] <= 'z')
      out[i] = static_cast<char>(out[i] - 'a' + 'A');
}

std::string AnsiUpperCase(std::string_view text, const char* locale) {
  return UpperCase(text, icu::Locale(locale));
}

} // namespace platform
