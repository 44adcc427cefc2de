#include "UrlEncoding.h"

#include "Errors.h"
#include "HttpGet.h"

#include <cstring>

namespace {
void AppendEscaped(std::string& out, unsigned char byte) {
  static constexpr char hex[] = "0123456789ABCDEF";
  out += '%';
  out += hex[byte >> 4];
  out += hex[byte & 0x0F];
}

bool IsAsciiAlnum(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}
} // namespace

std::string FormEncode(std::string_view value) {
  std::string out;
  for (const char ch : value) {
    const auto c = static_cast<unsigned char>(ch);
    if (IsAsciiAlnum(c) || c == '-' || c == '.' || c == '_' || c == '*')
      out += ch;
    else if (c == ' ')
      out += '+';
    else
      AppendEscaped(out, c);
  }
  return out;
}

std::string DownloadEncode(std::string_view name) {
  std::string out;
  for (const char ch : name) {
    const auto c = static_cast<unsigned char>(ch);
    if (c < 33 || c >= 0x80 || std::strchr("#%&'*+<=>[\\]^{|}`\"", ch))
      AppendEscaped(out, c);
    else
      out += ch;
  }
  return out;
}

std::string ListingBaseURL(std::string_view base) {
  std::string url = WithScheme(base);
  if (url.empty())
    throw platform::EError("Protocol field is empty");
  while (!url.empty() && url.back() == '/')
    url.pop_back();
  return url;
}

std::string ListingURL(std::string_view base, std::string_view folder, std::string_view mask,
                       bool recursive) {
  std::string url = ListingBaseURL(base) + "/folderlist";
  char separator = '?';
  const auto add = [&](const char* name, std::string_view value) {
    url += separator;
    url += name;
    url += '=';
    url += FormEncode(value);
    separator = '&';
  };
  if (!folder.empty())
    add("folder", folder);
  if (!mask.empty())
    add("mask", mask);
  if (recursive)
    add("recursive", "");
  return url;
}

std::string DownloadURL(std::string_view base, std::string_view remoteName) {
  return std::string(base) + "/download?file=" + DownloadEncode(remoteName);
}
