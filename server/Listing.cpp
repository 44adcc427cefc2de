#include "Listing.h"

#include "DateTime.h"
#include "Log.h"
#include "PosixTime.h"
#include "TextCase.h"
#include "Wildcard.h"

#include <algorithm>
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>
#include <unordered_map>
#include <vector>

namespace {
bool IsUtf8(std::string_view text) { return platform::ValidUtf8Length(text) == text.size(); }

void AppendJsonString(std::string& out, std::string_view text) {
  out += '"';
  for (const char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04X", unsigned(c));
      out += escape;
    } else {
      out += c;
    }
  }
  out += '"';
}

// Local clock time with milliseconds and "Z": the launcher reads the clock time as written and
// stamps the downloaded file with it, so the two ages compare equal afterwards.
void AppendAge(std::string& out, const platform::TInstant& written) {
  const platform::DateTimeParts p =
      platform::DecodeDateTime(platform::LocalAgeFromInstant(written));
  char text[40];
  std::snprintf(text, sizeof text, "\"%04d-%02d-%02dT%02d:%02d:%02d.%03dZ\"", p.Year, p.Month,
                p.Day, p.Hour, p.Minute, p.Second, p.MilliSecond);
  out += text;
}

class TLister {
public:
  TLister(const TRootFolder& root, std::string mask, bool recursive,
          const std::atomic<bool>& stopping)
      : FRoot(root), FMask(std::move(mask)), FRecursive(recursive), FStopping(stopping) {}

  TListing Result;

  // `folder` is open; `onDisk` is its link-free path below the root, for following links.
  void Walk(int folder, const std::string& onDisk, const std::string& prefix) {
    const int fd = openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR* dir = fd >= 0 ? fdopendir(fd) : nullptr;
    if (!dir) {
      if (fd >= 0)
        close(fd);
      return;
    }
    struct stat self {};
    fstat(folder, &self);
    FAncestors.emplace_back(self.st_dev, self.st_ino);
    while (const dirent* entry = readdir(dir)) {
      if (FStopping.load(std::memory_order_relaxed))
        break;
      const std::string name = entry->d_name;
      if (name == "." || name == "..")
        continue;
      Entry(folder, onDisk, prefix, name);
    }
    FAncestors.pop_back();
    closedir(dir);
  }

private:
  void Entry(int folder, const std::string& onDisk, const std::string& prefix,
             const std::string& name) {
    struct stat st {};
    if (fstatat(folder, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0)
      return;
    std::string childOnDisk = onDisk.empty() ? name : onDisk + "/" + name;
    if (!IsUtf8(name)) {
      const std::string& root = FRoot.Path();
      server_log::WarnOnce("left out of listings, its name is not UTF-8: " +
                           server_log::Escaped(root + (root == "/" ? "" : "/") + childOnDisk));
      return;
    }
    TFd opened;
    if (S_ISLNK(st.st_mode)) {
      // A link is listed only where it leads to, and only when that lies inside the root.
      TResolved target = FRoot.Resolve(childOnDisk, TWant::Any);
      if (target.Check != TPathCheck::Found)
        return;
      st = target.Stat;
      opened = std::move(target.Fd);
      childOnDisk = target.Relative;
    }
    if (S_ISDIR(st.st_mode)) {
      if (!FRecursive || IsAncestor(st))
        return;
      TFd child =
          opened
              ? TFd(openat(opened.Get(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC))
              : TFd(openat(folder, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
      if (child)
        Walk(child.Get(), childOnDisk, prefix + name + "\\");
    } else if (S_ISREG(st.st_mode) && MatchesMask(name, FMask)) {
      Add(prefix + name, platform::InstantFromTimespec(st.st_mtim));
    }
  }

  bool IsAncestor(const struct stat& st) const {
    return std::find(FAncestors.begin(), FAncestors.end(), std::make_pair(st.st_dev, st.st_ino)) !=
           FAncestors.end();
  }

  void Add(const std::string& relative, const platform::TInstant& written) {
    std::string& out = Result.Body;
    out += Result.Files++ ? ",{\"FileName\":" : "{\"FileName\":";
    AppendJsonString(out, relative);
    out += ",\"Age\":";
    AppendAge(out, written);
    out += '}';
    const auto [found, added] = FByKey.try_emplace(platform::AnsiUpperCase(relative), relative);
    if (!added)
      server_log::WarnOnce("names that differ only in letter case stop every update: " +
                           found->second + " and " + relative);
  }

  const TRootFolder& FRoot;
  const std::string FMask;
  const bool FRecursive;
  const std::atomic<bool>& FStopping;
  std::vector<std::pair<dev_t, ino_t>> FAncestors;
  std::unordered_map<std::string, std::string> FByKey;
};

TListing Error(int status, const std::string& error, const std::string& detail) {
  TListing listing;
  listing.Status = status;
  listing.Body = ErrorRecord(status, error, detail);
  return listing;
}
} // namespace

std::string ErrorRecord(int status, const std::string& error, const std::string& detail) {
  std::string record = "{\"Error\":";
  AppendJsonString(record, error);
  record += ",\"Status\":" + std::to_string(status) + ",\"Detail\":";
  AppendJsonString(record, IsUtf8(detail) ? detail : server_log::Escaped(detail));
  return record + "}";
}

TListing BuildListing(const TRootFolder& root, const std::string& folder, const std::string& mask,
                      bool recursive, const std::atomic<bool>& stopping) {
  const TResolved resolved = root.Resolve(folder, TWant::Folder);
  if (resolved.Check == TPathCheck::Refused)
    return Error(400, "Bad Request", "The folder " + folder + " is outside the root");
  if (resolved.Check == TPathCheck::Missing)
    return Error(404, "Not Found", "The folder " + folder + " does not exist");
  TLister lister(root, mask, recursive, stopping);
  lister.Result.Body = "[";
  lister.Walk(resolved.Fd.Get(), resolved.Relative, "");
  lister.Result.Body += "]";
  return std::move(lister.Result);
}
