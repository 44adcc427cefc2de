// The real norvane-fileserver on loopback, tried as an attacker and as a busy morning would.
#include "Norvane.RESTClient.FileList.h"

#include "GzipText.h"
#include "Installation.h"
#include "TestHttpServer.h"

#include <atomic>
#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <gtest/gtest.h>
#include <linux/fs.h>
#include <poll.h>
#include <regex>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <thread>

using namespace testing_support;
namespace fs = std::filesystem;

namespace {
// norvane-fileserver with the given arguments, its standard output kept as its log.
class ServerProcess {
public:
  explicit ServerProcess(std::vector<std::string> args, bool withPort = true) {
    if (withPort) {
      FPort = ClosedPort();
      args.insert(args.end(), {"--listen", "127.0.0.1:" + std::to_string(FPort)});
    }
    args.insert(args.begin(), NORVANE_FILESERVER);
    FPid = fork();
    if (FPid == 0) {
      const int log = open(FLog.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      dup2(log, 1);
      dup2(log, 2);
      std::vector<char*> argv;
      for (auto& a : args)
        argv.push_back(a.data());
      argv.push_back(nullptr);
      execv(argv[0], argv.data());
      _exit(127);
    }
  }
  ~ServerProcess() {
    if (FPid > 0) {
      kill(FPid, SIGKILL);
      waitpid(FPid, nullptr, 0);
    }
  }
  bool WaitReady() const {
    for (int i = 0; i < 200; ++i) {
      if (Log().find("Serving ") != std::string::npos)
        return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(25));
    }
    return false;
  }
  // The exit status, or -1 when it did not end within `limit`.
  int WaitExit(std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < deadline) {
      int status = 0;
      if (waitpid(FPid, &status, WNOHANG) == FPid) {
        FPid = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return -1;
  }
  std::string Log() const { return ReadAll(FLog); }
  std::string Base() const { return "http://127.0.0.1:" + std::to_string(FPort); }
  int Port() const { return FPort; }
  pid_t Pid() const { return FPid; }
  // Peak resident memory so far, in KiB.
  long PeakKiB() const {
    std::ifstream status("/proc/" + std::to_string(FPid) + "/status");
    for (std::string line; std::getline(status, line);)
      if (line.rfind("VmHWM:", 0) == 0)
        return std::stol(line.substr(6));
    return -1;
  }

private:
  TempDir FDir;
  fs::path FLog = FDir / "server.log";
  int FPort = 0;
  pid_t FPid = -1;
};

// A raw connection, from a loopback address of its own when asked (127.0.0.2 and up).
class Client {
public:
  explicit Client(int port, const std::string& from = "") {
    FSocket = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (!from.empty()) {
      sockaddr_in local{};
      local.sin_family = AF_INET;
      inet_pton(AF_INET, from.c_str(), &local.sin_addr);
      bind(FSocket, reinterpret_cast<sockaddr*>(&local), sizeof local);
    }
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(std::uint16_t(port));
    Connected = connect(FSocket, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
  }
  ~Client() { close(FSocket); }
  bool Send(std::string_view data) {
    while (!data.empty()) {
      const ssize_t n = send(FSocket, data.data(), data.size(), MSG_NOSIGNAL);
      if (n <= 0)
        return false;
      data.remove_prefix(std::size_t(n));
    }
    return true;
  }
  // Everything until the server closes or `limit` passes.
  std::string Receive(std::chrono::milliseconds limit = std::chrono::seconds(5)) {
    std::string text;
    const auto deadline = std::chrono::steady_clock::now() + limit;
    char buffer[65536];
    while (std::chrono::steady_clock::now() < deadline) {
      pollfd p{FSocket, POLLIN, 0};
      if (poll(&p, 1, 50) <= 0)
        continue;
      const ssize_t n = recv(FSocket, buffer, sizeof buffer, 0);
      if (n <= 0)
        break;
      text.append(buffer, std::size_t(n));
    }
    return text;
  }
  // True when the server has closed the connection.
  bool Closed() {
    pollfd p{FSocket, POLLIN, 0};
    char c;
    return poll(&p, 1, 0) > 0 && recv(FSocket, &c, 1, MSG_PEEK) == 0;
  }
  bool Connected = false;

private:
  int FSocket = -1;
};

std::optional<std::string> Download(const std::string& base, const std::string& name,
                                    const TempDir& into) {
  const auto target = into / "fetched";
  std::string reason;
  const int fd = open(target.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  const bool ok = TRESTClientDownload(base).DownloadTo(name, fd, reason);
  close(fd);
  return ok ? std::optional<std::string>(ReadAll(target)) : std::nullopt;
}

} // namespace

TEST(FileServerBinary, ALinkSwappedInDuringRequestsNeverLeadsOut) {
  TempDir root, outside, local;
  root.Write("real/data.txt", "inside");
  outside.Write("data.txt", "secret");
  outside.Write("secret-name.txt", "secret");
  fs::create_directory_symlink(outside.Path(), root / "evil");
  ServerProcess server({"--root", root.Path().string(), "--cache-seconds", "0"});
  ASSERT_TRUE(server.WaitReady()) << server.Log();
  std::atomic<bool> done{false};
  std::thread swapper([&] {
    const int dir = open(root.Path().c_str(), O_RDONLY | O_DIRECTORY);
    while (!done)
      syscall(SYS_renameat2, dir, "real", dir, "evil", RENAME_EXCHANGE);
    close(dir);
  });
  int inside = 0;
  for (int i = 0; i < 300; ++i) {
    const auto body = Download(server.Base(), "real\\data.txt", local);
    ASSERT_NE(body, std::optional<std::string>("secret")) << "request " << i;
    inside += body == std::optional<std::string>("inside");
  }
  for (int i = 0; i < 50; ++i) {
    TRESTClientFileList listing(server.Base());
    listing.Execute("\\", "*.*", true);
    for (int k = 0; k < listing.Count(); ++k)
      ASSERT_EQ(listing.Items(k)->FileName().find("secret"), std::string::npos);
  }
  done = true;
  swapper.join();
  EXPECT_GT(inside, 0); // the real folder was served whenever it was in place
}

TEST(FileServerBinary, PipesAndOtherNonFilesAreNotFoundAndHoldNoWorker) {
  TempDir root, local;
  root.Write("central.ini", "ini");
  ASSERT_EQ(mkfifo((root / "pipe.dll").c_str(), 0644), 0);
  ServerProcess server({"--root", root.Path().string()});
  ASSERT_TRUE(server.WaitReady()) << server.Log();
  std::vector<std::thread> clients;
  std::atomic<int> notFound{0};
  for (int i = 0; i < 16; ++i)
    clients.emplace_back(
        [&] { notFound += !Download(server.Base(), "pipe.dll", local).has_value(); });
  for (auto& c : clients)
    c.join();
  EXPECT_EQ(notFound, 16);
  EXPECT_EQ(Download(server.Base(), "central.ini", local), std::optional<std::string>("ini"));
}

TEST(FileServerBinary, SlowClientsHoldNobodyBackAndAreCutOffAtTheHeaderDeadline) {
  TempDir root;
  root.Write("central.ini", "ini");
  ServerProcess server(
      {"--root", root.Path().string(), "--header-seconds", "2", "--max-per-address", "32"});
  ASSERT_TRUE(server.WaitReady()) << server.Log();
  // 200 slow clients, each from an address of its own, sending a header line now and then.
  std::vector<std::unique_ptr<Client>> slow;
  for (int i = 0; i < 200; ++i) {
    slow.push_back(std::make_unique<Client>(server.Port(), "127.0.1." + std::to_string(i + 1)));
    ASSERT_TRUE(slow.back()->Connected);
    slow.back()->Send("GET /folderlist HTTP/1.1\r\n");
  }
  for (int round = 0; round < 3; ++round) {
    for (auto& c : slow)
      c->Send("X-Slow: " + std::to_string(round) + "\r\n");
    const auto started = std::chrono::steady_clock::now();
    TRESTClientFileList listing(server.Base());
    EXPECT_TRUE(listing.Execute("\\", "*.*", true));
    EXPECT_EQ(listing.Count(), 1);
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(1));
    std::this_thread::sleep_for(std::chrono::milliseconds(900));
  }
  // Past the deadline for the whole header, however steadily the lines came.
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  int closed = 0;
  for (auto& c : slow)
    closed += c->Closed();
  EXPECT_EQ(closed, 200);
  // Many connections from one address: beyond the cap they are refused, the others still served.
  std::vector<std::unique_ptr<Client>> greedy;
  for (int i = 0; i < 40; ++i)
    greedy.push_back(std::make_unique<Client>(server.Port(), "127.0.2.1"));
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  int refused = 0;
  for (auto& c : greedy)
    refused += c->Closed();
  EXPECT_EQ(refused, 40 - 32) << server.Log();
  EXPECT_NE(server.Log().find("refusing connections beyond the limit from 127.0.2.1"),
            std::string::npos);
  TRESTClientFileList other(server.Base());
  EXPECT_TRUE(other.Execute("\\", "*.*", true));
  // And it stops at once when told to, whoever is connected.
  kill(server.Pid(), SIGTERM);
  EXPECT_EQ(server.WaitExit(std::chrono::seconds(2)), 0);
}

TEST(FileServerBinary, HugeHeadersBodiesAndRangesCostNoMemory) {
  TempDir root;
  root.Write("big.bin", std::string(8 << 20, 'b'));
  ServerProcess server({"--root", root.Path().string()});
  ASSERT_TRUE(server.WaitReady()) << server.Log();
  const long before = server.PeakKiB();
  {
    Client headers(server.Port());
    headers.Send("GET /folderlist HTTP/1.1\r\nHost: x\r\n");
    const std::string line = "X-Filler: " + std::string(1000, 'f') + "\r\n";
    for (int i = 0; i < 2000 && headers.Send(line); ++i) {
    }
    EXPECT_NE(headers.Receive().find("HTTP/1.1 431"), std::string::npos);
  }
  {
    Client body(server.Port());
    // Refused on its header: the body is never read, and the connection ends.
    body.Send("POST /folderlist HTTP/1.1\r\nHost: x\r\nContent-Length: 838860800\r\n\r\n");
    EXPECT_NE(body.Receive().find("HTTP/1.1 413"), std::string::npos);
    EXPECT_TRUE(body.Closed() || !body.Send(std::string(1 << 20, 'p')));
  }
  {
    Client ranges(server.Port());
    std::string range = "bytes=0-";
    for (int i = 0; i < 700; ++i)
      range += ",0-" + std::to_string((8 << 20) - 1);
    ranges.Send("GET /download?file=big.bin HTTP/1.1\r\nHost: x\r\nConnection: close\r\nRange: " +
                range + "\r\n\r\n");
    const std::string answer = ranges.Receive();
    EXPECT_EQ(answer.rfind("HTTP/1.1 200", 0), 0u);
    EXPECT_LT(answer.size(), std::size_t(9 << 20)); // the file once, not 700 times
  }
  EXPECT_LT(server.PeakKiB() - before, 32 * 1024);
}

TEST(FileServerBinary, ANameThatIsNotUtf8IsLeftOutAndLoggedOnce) {
  TempDir root;
  root.Write("central.ini", "ini");
  root.Write("caf\xe9.rav", "latin-1");
  root.Write("Censo.rav", "a");
  root.Write("CENSO.rav", "b");
  ServerProcess server({"--root", root.Path().string(), "--cache-seconds", "0"});
  ASSERT_TRUE(server.WaitReady()) << server.Log();
  for (int i = 0; i < 3; ++i) {
    TRESTClientFileList listing(server.Base());
    EXPECT_TRUE(listing.Execute("\\", "*.*", true));
    EXPECT_EQ(listing.Count(), 3);
  }
  Client raw(server.Port());
  raw.Send("GET /folderlist?folder=%5C&mask=*.*&recursive= HTTP/1.1\r\nHost: x\r\n"
           "Connection: close\r\n\r\n");
  const std::string answer = raw.Receive();
  EXPECT_EQ(answer.find("EXCEPTION"), std::string::npos);
  EXPECT_EQ(answer.find("json"), answer.find("json; charset")); // no parser's words
  const std::string log = server.Log();
  const std::string warning =
      "left out of listings, its name is not UTF-8: " + root.Path().string() + "/caf\\xE9.rav";
  const auto first = log.find(warning);
  EXPECT_NE(first, std::string::npos) << log;
  EXPECT_EQ(log.find(warning, first + 1), std::string::npos) << log;
  // Names that differ only in case stop every update: the server says so at start, naming both.
  EXPECT_NE(log.find("names that differ only in letter case stop every update: "),
            std::string::npos)
      << log;
  EXPECT_NE(log.find("Censo.rav and CENSO.rav") + log.find("CENSO.rav and Censo.rav") + 1, 0u);
}

TEST(FileServerBinary, LogsEachRequestOnOneLine) {
  TempDir root;
  root.Write("central.ini", "ini");
  ServerProcess server({"--root", root.Path().string()});
  ASSERT_TRUE(server.WaitReady()) << server.Log();
  TempDir local;
  ASSERT_TRUE(Download(server.Base(), "central.ini", local));
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  const std::string log = server.Log();
  // time, client, method, target, status, bytes, duration
  const std::regex line(R"(\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d\.\d{3}Z 127\.0\.0\.1 GET )"
                        R"(/download\?file=central\.ini 200 3 \d+\.\dms)");
  EXPECT_TRUE(std::regex_search(log, line)) << log;
}

TEST(FileServerBinary, TheCommandLineIsChecked) {
  TempDir root;
  root.Write("central.ini", "ini");
  const struct {
    std::vector<std::string> Args;
    const char* Says;
  } cases[] = {
      {{"--root", root.Path().string(), "--listen", "127.0.0.1:abc"}, "--listen wants HOST:PORT"},
      {{"--root", root.Path().string(), "--listen", "127.0.0.1:99999"}, "--listen wants HOST:PORT"},
      {{"--root", root.Path().string(), "--listen", "8080"}, "--listen wants HOST:PORT"},
      {{"--root", (root / "central.ini").string()}, "is not a folder"},
      {{"--listen", "127.0.0.1:0"}, "--root is required"},
      {{"--root", root.Path().string(), "--cache-seconds", "-1"}, "--cache-seconds wants"},
      {{"--root", root.Path().string(), "--bogus", "1"}, "unknown argument --bogus"},
      {{"--root"}, "--root needs a value"},
  };
  for (const auto& c : cases) {
    ServerProcess server(c.Args, false);
    EXPECT_EQ(server.WaitExit(std::chrono::seconds(5)), 64) << c.Says;
    EXPECT_NE(server.Log().find(c.Says), std::string::npos) << server.Log();
  }
  // The whole file system as the root works like any folder.
  ServerProcess whole({"--root", "/"});
  ASSERT_TRUE(whole.WaitReady()) << whole.Log();
  TempDir local;
  EXPECT_EQ(Download(whole.Base(), "etc\\hostname", local),
            std::optional<std::string>(ReadAll("/etc/hostname")));
  EXPECT_EQ(Download(whole.Base(), root.Path().string().substr(1) + "\\central.ini", local),
            std::optional<std::string>("ini"));
  kill(whole.Pid(), SIGTERM);
  EXPECT_EQ(whole.WaitExit(std::chrono::seconds(3)), 0);
}

TEST(FileServerBinary, GivesTheListingGzippedToClientsThatTakeIt) {
  TempDir root;
  for (int i = 0; i < 200; ++i)
    root.Write("Relatorio/Ficha" + std::to_string(i) + ".rav", "x");
  ServerProcess server({"--root", root.Path().string()});
  ASSERT_TRUE(server.WaitReady()) << server.Log();
  httplib::Client client(server.Base());
  client.set_decompress(false); // the bytes as they travel
  const char* listing = "/folderlist?folder=%5C&mask=*.*&recursive=";
  const auto plain = client.Get(listing);
  ASSERT_TRUE(plain);
  ASSERT_EQ(plain->status, 200);
  const struct {
    const char* AcceptEncoding;
    bool Gzip;
  } cases[] = {
      {"gzip", true},          {"gzip, deflate, br, zstd", true}, {"GZIP;q=0.5", true},
      {"x-gzip", true},        {"*", true},                       {"", false},
      {"identity", false},     {"deflate", false},                {"gzip;q=0", false},
      {"*, gzip;q=0.0", false}, {"br;q=1, gzip ; q=0.000", false},
  };
  for (const auto& c : cases) {
    const auto answer = client.Get(listing, {{"Accept-Encoding", c.AcceptEncoding}});
    ASSERT_TRUE(answer) << c.AcceptEncoding;
    EXPECT_EQ(answer->get_header_value("Vary"), "Accept-Encoding");
    EXPECT_EQ(answer->get_header_value("Content-Encoding"), c.Gzip ? "gzip" : "")
        << c.AcceptEncoding;
    const std::optional<std::string> text =
        c.Gzip ? GunzipText(answer->body) : std::optional<std::string>(answer->body);
    EXPECT_TRUE(text && *text == plain->body) << c.AcceptEncoding; // not the whole listing
    if (c.Gzip) {
      EXPECT_LT(answer->body.size() * 4, plain->body.size());
    }
  }
  // What the launcher reads is the same listing either way.
  TRESTClientFileList launcher(server.Base());
  ASSERT_TRUE(launcher.Execute("\\", "*.*", true));
  EXPECT_EQ(launcher.Count(), 200);
}
