#include "TextCase.h"

#include "WideText.h"

namespace platform {

namespace {
std::string UpperCaseUtf8(std::string_view text, LPCWSTR locale) {
  const std::wstring wide = Widen(text);
  if (wide.empty())
    return {};
  constexpr DWORD flags = LCMAP_UPPERCASE | LCMAP_LINGUISTIC_CASING;
  const int n = LCMapStringEx(locale, flags, wide.data(), int(wide.size()), nullptr, 0, nullptr,
                              nullptr, 0);
  std::wstring upper(std::size_t(n), L'\0');
  LCMapStringEx(locale, flags, wide.data(), int(wide.size()), upper.data(), n, nullptr, nullptr, 0);
  return Narrow(upper);
}

// Bytes that are not UTF-8 stay as they are, so names that differ only there stay distinct.
std::string UpperCase(std::string_view text, LPCWSTR locale) {
  std::string result;
  result.reserve(text.size());
  while (!text.empty()) {
    const std::size_t valid = ValidUtf8Length(text);
    result += UpperCaseUtf8(text.substr(0, valid), locale);
    text.remove_prefix(valid);
    if (!text.empty()) {
      result += text.front();
      text.remove_prefix(1);
    }
  }
  return result;
}
} // namespace

std::string AnsiUpperCase(std::string_view text) {
  return UpperCase(text, LOCALE_NAME_USER_DEFAULT);
}

void AppendAnsiUpperCase(std::string& out, std::string_view text) { out += AnsiUpperCase(text); }

// "tr_TR" is ICU's spelling; Windows names the same locale "tr-TR".
std::string AnsiUpperCase(std::string_view text, const char* locale) {
  std::string name = locale;
  for (char& c : name)
    if (c == '_')
      c = '-';
  return UpperCase(text, Widen(name).c_str());
}

bool SameTextIgnoringCase(std::string_view a, std::string_view b) {
  const std::wstring wa = Widen(a), wb = Widen(b);
  return CompareStringOrdinal(wa.data(), int(wa.size()), wb.data(), int(wb.size()), TRUE) ==
         CSTR_EQUAL;
}

} // namespace platform
