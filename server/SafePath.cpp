#include "SafePath.h"

#include "TextCase.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <deque>
#include <dirent.h>
#include <fcntl.h>
#include <optional>
#include <stdexcept>
#include <unistd.h>
#include <vector>

namespace {
// As Linux does: past this many links in one name, it is a loop.
constexpr int MaxLinks = 40;

std::deque<std::string> Parts(std::string_view text) {
  std::deque<std::string> parts;
  std::string part;
  for (const char c : text) {
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

bool RefusedRequest(std::string_view relative, const std::deque<std::string>& parts) {
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

// The entry of the open folder named `part`: that spelling if present, else one equal in
// capitals.
std::optional<std::string> FindEntry(int folder, const std::string& part) {
  struct stat st {};
  if (fstatat(folder, part.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0)
    return part;
  const int fd = openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  DIR* dir = fd >= 0 ? fdopendir(fd) : nullptr;
  if (!dir) {
    if (fd >= 0)
      close(fd);
    return std::nullopt;
  }
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

std::optional<std::string> ReadLink(int folder, const std::string& name) {
  std::string target(PATH_MAX, '\0');
  const ssize_t n = readlinkat(folder, name.c_str(), target.data(), target.size());
  if (n <= 0 || std::size_t(n) >= target.size())
    return std::nullopt;
  target.resize(std::size_t(n));
  return target;
}

// The open folders from the root down to where the walk stands, with their names.
struct Walk {
  int Root;
  std::vector<std::pair<TFd, std::string>> Folders;

  int Current() const { return Folders.empty() ? Root : Folders.back().first.Get(); }
  std::string Relative(const std::string& last = {}) const {
    std::string path;
    for (const auto& folder : Folders)
      path += (path.empty() ? "" : "/") + folder.second;
    if (!last.empty())
      path += (path.empty() ? "" : "/") + last;
    return path;
  }
};

TResolved Opened(TFd fd, std::string relative, TWant want) {
  TResolved result;
  if (!fd || fstat(fd.Get(), &result.Stat) != 0)
    return result;
  if ((want == TWant::File && !S_ISREG(result.Stat.st_mode)) ||
      (want == TWant::Folder && !S_ISDIR(result.Stat.st_mode)))
    return result; // a pipe, a device, a folder where a file was asked for: not served
  result.Check = TPathCheck::Found;
  result.Fd = std::move(fd);
  result.Relative = std::move(relative);
  return result;
}

// Opens the last part of a name without following a link and without blocking on a pipe.
TFd OpenLast(int folder, const std::string& name, const struct stat& seen, TWant want) {
  int flags = O_CLOEXEC | O_NOFOLLOW;
  if (want == TWant::File)
    flags |= O_RDONLY | O_NONBLOCK | O_NOCTTY;
  else if (want == TWant::Folder || S_ISDIR(seen.st_mode))
    flags |= O_RDONLY | O_DIRECTORY;
  else
    flags |= O_PATH;
  return TFd(openat(folder, name.c_str(), flags));
}
} // namespace

TRootFolder::TRootFolder(const std::string& path) {
  char resolved[PATH_MAX];
  if (!realpath(path.c_str(), resolved))
    throw std::runtime_error("cannot open the root " + path);
  FPath = resolved;
  FFd = TFd(open(FPath.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (!FFd)
    throw std::runtime_error("cannot open the root " + path);
}

TResolved TRootFolder::Resolve(std::string_view relative, TWant want) const {
  std::deque<std::string> pending = Parts(relative);
  if (RefusedRequest(relative, pending))
    return {TPathCheck::Refused, {}, {}, {}};
  Walk walk{FFd.Get(), {}};
  int links = 0;
  while (!pending.empty()) {
    const std::string part = std::move(pending.front());
    pending.pop_front();
    if (part == ".")
      continue;
    if (part == "..") { // only a link's target gets here
      if (walk.Folders.empty())
        return {TPathCheck::Refused, {}, {}, {}};
      walk.Folders.pop_back();
      continue;
    }
    const auto name = FindEntry(walk.Current(), part);
    struct stat st {};
    if (!name || fstatat(walk.Current(), name->c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0)
      return {};
    if (S_ISLNK(st.st_mode)) {
      const auto target = ReadLink(walk.Current(), *name);
      if (!target || ++links > MaxLinks)
        return {};
      std::deque<std::string> next = Parts(*target);
      if (target->front() == '/') {
        // An absolute link is followed only when it points into the root.
        const bool inside = *target == FPath || FPath == "/" ||
                            target->compare(0, FPath.size() + 1, FPath + "/") == 0;
        if (!inside)
          return {TPathCheck::Refused, {}, {}, {}};
        walk.Folders.clear();
        next = Parts(std::string_view(*target).substr(FPath == "/" ? 0 : FPath.size()));
      }
      pending.insert(pending.begin(), next.begin(), next.end());
      continue;
    }
    if (pending.empty())
      return Opened(OpenLast(walk.Current(), *name, st, want), walk.Relative(*name), want);
    TFd folder(
        openat(walk.Current(), name->c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (!folder)
      return {}; // not a folder, or swapped for a link meanwhile
    walk.Folders.emplace_back(std::move(folder), *name);
  }
  // The name ended on a folder already open (the root, or a link's "." or "..").
  const int current = walk.Current();
  return Opened(TFd(openat(current, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC)), walk.Relative(),
                want);
}
