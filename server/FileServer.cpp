#include "FileServer.h"

#include "DateTime.h"
#include "SafePath.h"
#include "Wildcard.h"

#include <dirent.h>
#include <fcntl.h>
#include <httplib.h>
#include <limits.h>
#include <nlohmann/json.hpp>
#include <set>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
constexpr std::size_t ChunkBytes = 256 * 1024;

void SendError(httplib::Response& res, int status, const std::string& error,
               const std::string& detail) {
  const nlohmann::json record = {{"Error", error}, {"Status", status}, {"Detail", detail}};
  res.status = status;
  res.set_content(record.dump(), "application/json; charset=utf-8");
}

// Local clock time with milliseconds and "Z": the launcher reads the clock time as written and
// stamps the downloaded file with it, so the two ages compare equal afterwards.
std::string AgeText(const timespec& written) {
  const platform::DateTimeParts p =
      platform::DecodeDateTime(platform::LocalAgeFromTimespec(written));
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d.%03dZ", p.Year, p.Month, p.Day,
                p.Hour, p.Minute, p.Second, p.MilliSecond);
  return text;
}

struct Lister {
  const std::string& Root;
  const std::string Mask;
  bool Recursive;
  nlohmann::json Files = nlohmann::json::array();
  std::set<std::pair<dev_t, ino_t>> Visited;

  // `folder` is known to lie inside the root: only a link can lead out of it.
  void Walk(const std::string& folder, const std::string& prefix) {
    DIR* dir = opendir(folder.c_str());
    if (!dir)
      return;
    while (const dirent* entry = readdir(dir)) {
      const std::string name = entry->d_name;
      if (name == "." || name == "..")
        continue;
      const std::string path = folder + "/" + name;
      struct stat st {};
      if (fstatat(dirfd(dir), entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0)
        continue;
      if (S_ISLNK(st.st_mode) && (stat(path.c_str(), &st) != 0 || !StaysInside(Root, path)))
        continue; // dangling links and links that lead out are not listed
      if (S_ISDIR(st.st_mode)) {
        if (Recursive && Visited.insert({st.st_dev, st.st_ino}).second)
          Walk(path, prefix + name + "\\");
      } else if (S_ISREG(st.st_mode) && MatchesMask(name, Mask)) {
        Files.push_back({{"FileName", prefix + name}, {"Age", AgeText(st.st_mtim)}});
      }
    }
    closedir(dir);
  }
};

std::string CanonicalRoot(const std::string& root) {
  char resolved[PATH_MAX];
  return realpath(root.c_str(), resolved) ? std::string(resolved) : root;
}
} // namespace

TFileServer::TFileServer(std::string root)
    : FRoot(CanonicalRoot(root)), FServer(std::make_unique<httplib::Server>()) {
  FServer->set_socket_options([this](int socket) {
    const int yes = 1;
    setsockopt(socket, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    FListenSocket = socket;
  });
  Routes();
}

// The library listens with a backlog of five: a room of workstations starting at once would
// see connections dropped and retried a second later. Listening again widens the queue.
void TFileServer::WidenBacklog() const {
  if (FListenSocket >= 0)
    listen(FListenSocket, SOMAXCONN);
}

TFileServer::~TFileServer() = default;

void TFileServer::Routes() {
  // A base URL that ends in "/" makes the launcher ask for "//download": both forms are served.
  FServer->Get(R"(/+folderlist)", [this](const httplib::Request& req, httplib::Response& res) {
    const std::string folder = req.get_param_value("folder");
    const TResolvedPath resolved = ResolveInside(FRoot, folder);
    struct stat st {};
    if (resolved.Check == TPathCheck::Refused)
      return SendError(res, 400, "Bad Request", "The folder " + folder + " is outside the root");
    if (resolved.Check == TPathCheck::Missing || stat(resolved.Path.c_str(), &st) != 0 ||
        !S_ISDIR(st.st_mode))
      return SendError(res, 404, "Not Found", "The folder " + folder + " does not exist");
    Lister lister{FRoot, req.get_param_value("mask"), req.has_param("recursive"), {}, {}};
    lister.Visited.insert({st.st_dev, st.st_ino});
    lister.Walk(resolved.Path, "");
    res.set_content(lister.Files.dump(), "application/json; charset=utf-8");
  });

  FServer->Get(R"(/+download)", [this](const httplib::Request& req, httplib::Response& res) {
    const std::string name = req.get_param_value("file");
    const TResolvedPath resolved = ResolveInside(FRoot, name);
    struct stat st {};
    if (resolved.Check == TPathCheck::Refused)
      return SendError(res, 400, "Bad Request", "The file " + name + " is outside the root");
    const int fd = resolved.Check == TPathCheck::Found
                       ? open(resolved.Path.c_str(), O_RDONLY | O_CLOEXEC)
                       : -1;
    if (fd < 0 || fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
      if (fd >= 0)
        close(fd);
      return SendError(res, 404, "Not Found", "The file " + name + " does not exist");
    }
    // Streamed in chunks: a large file costs no more memory than a small one.
    res.set_content_provider(
        std::size_t(st.st_size), "application/octet-stream",
        [fd](std::size_t offset, std::size_t length, httplib::DataSink& sink) {
          std::vector<char> buffer(std::min(length, ChunkBytes));
          const ssize_t n = pread(fd, buffer.data(), buffer.size(), off_t(offset));
          if (n <= 0)
            return false;
          sink.write(buffer.data(), std::size_t(n));
          return true;
        },
        [fd](bool) { close(fd); });
  });
}

std::optional<int> TFileServer::Bind(const std::string& host, int port) {
  const int bound = port == 0 ? FServer->bind_to_any_port(host)
                              : (FServer->bind_to_port(host, port) ? port : -1);
  if (bound <= 0)
    return std::nullopt;
  WidenBacklog();
  return bound;
}

bool TFileServer::Serve() { return FServer->listen_after_bind(); }

void TFileServer::Stop() { FServer->stop(); }
