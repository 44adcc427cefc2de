#include "Paths.h"

#include "Errors.h"

#include <algorithm>

namespace platform {

bool HasInvalidPathChars(std::string_view path) {
  return std::any_of(path.begin(), path.end(), [](char c) {
    const auto u = static_cast<unsigned char>(c);
    return u < 32 || c == '"' || c == '<' || c == '>' || c == '|';
  });
}

namespace {
bool IsDriveLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsSeparator(char c) { return c == '\\' || c == '/'; }
} // namespace

bool IsRootedName(std::string_view name) {
  if (name.empty())
    return false;
  if (IsSeparator(name.front()))
    return true;
  return name.size() >= 2 && IsDriveLetter(name[0]) && name[1] == ':';
}

std::string JoinPath(std::string_view folder, std::string_view name, bool check) {
  if (check && (HasInvalidPathChars(folder) || HasInvalidPathChars(name)))
    throw EError(SInvalidPathChars);
  if (folder.empty() || IsRootedName(name))
    return std::string(name);
  if (name.empty())
    return std::string(folder);
  const char last = folder.back();
  if (IsSeparator(last) || last == ':')
    return std::string(folder) + std::string(name);
  return std::string(folder) + '\\' + std::string(name);
}

std::string IncludeTrailingBackslash(std::string_view text) {
  if (!text.empty() && text.back() == '\\')
    return std::string(text);
  return std::string(text) + '\\';
}

std::string ExtractFilePath(std::string_view path) {
  const auto pos = path.find_last_of("\\/:");
  return pos == std::string_view::npos ? std::string() : std::string(path.substr(0, pos + 1));
}

} // namespace platform
