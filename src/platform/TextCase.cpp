#include "TextCase.h"

#include <algorithm>
#include <cstring>
#include <unicode/locid.h>
#include <unicode/unistr.h>

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
  icu::UnicodeString unicode = icu::UnicodeString::fromUTF8(
      icu::StringPiece(text.data(), static_cast<int32_t>(text.size())));
  unicode.toUpper(locale);
  std::string result;
  unicode.toUTF8String(result);
  return result;
}

const icu::Locale& UserLocale() {
  // ICU reads LC_ALL / LC_CTYPE / LANG once; the user's locale does not change while we run.
  static const icu::Locale locale = icu::Locale::getDefault();
  return locale;
}
} // namespace

std::string AnsiUpperCase(std::string_view text) { return UpperCase(text, UserLocale()); }

std::string AnsiUpperCase(std::string_view text, const char* locale) {
  return UpperCase(text, icu::Locale(locale));
}

} // namespace platform
