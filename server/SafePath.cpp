#include "SafePath.h"

#include "TextCase.h"

#include <climits>
#include <cstdlib>
#include <dirent.h>
#include <sys/stat.h>
#include <vector>

namespace {
std::vector<std::string> Parts(std::string_view relative) {
  std::vector<std::string> parts;
  std::string part;
  for (const char c : relative) {
    if (c == '\\' || c == '/') {
      if (!part.empty())
        parts.push_back(part);
      part.clear();
    } else {
      part += c;
    }
  }
  if (!part.empty())
    parts.push_back(part);
  return parts;
}

bool Refused(std::string_view relative, const std::vector<std::string>& parts) {
  if (relative.find('\0') != std::string_view::npos)
    return true;
  if (!relative.empty() && (relative.front() == '/' ||
                            (relative.size() >= 2 && relative[0] == '\\' && relative[1] == '\\')))
    return true; // absolute (a lone leading "\" names the root, as the launcher asks for it)
  if (relative.size() >= 2 && relative[1] == ':')
    return true; // a drive letter
  for (const std::string& part : parts)
    if (part == "..")
      return true;
  return false;
}

// The entry of `folder` named `part`: that spelling if present, else one equal in capitals.
std::optional<std::string> FindEntry(const std::string& folder, const std::string& part) {
  struct stat st {};
  if (lstat((folder + "/" + part).c_str(), &st) == 0)
    return part;
  DIR* dir = opendir(folder.c_str());
  if (!dir)
    return std::nullopt;
  const std::string wanted = platform::AnsiUpperCase(part);
  std::optional<std::string> found;
  while (const dirent* entry = readdir(dir))
    if (platform::AnsiUpperCase(entry->d_name) == wanted) {
      found = entry->d_name;
      break;
    }
  closedir(dir);
  return found;
}
} // namespace

bool StaysInside(const std::string& root, const std::string& path) {
  char resolved[PATH_MAX];
  if (!realpath(path.c_str(), resolved))
    return false;
  const std::string real = resolved;
  return real == root || real.compare(0, root.size() + 1, root + "/") == 0;
}

TResolvedPath ResolveInside(const std::string& root, std::string_view relative) {
  const std::vector<std::string> parts = Parts(relative);
  if (Refused(relative, parts))
    return {TPathCheck::Refused, {}};
  std::string path = root;
  for (const std::string& part : parts) {
    if (part == ".")
      continue;
    const auto entry = FindEntry(path, part);
    if (!entry)
      return {TPathCheck::Missing, {}};
    path += "/" + *entry;
  }
  struct stat st {};
  if (stat(path.c_str(), &st) != 0)
    return {TPathCheck::Missing, {}};
  if (!StaysInside(root, path))
    return {TPathCheck::Refused, {}};
  return {TPathCheck::Found, path};
}
