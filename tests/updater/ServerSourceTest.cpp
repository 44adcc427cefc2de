#include "FilesUpdater.h"
#include "ServerSource.h"

#include "Errors.h"
#include "ExternalServer.h"
#include "FileSizeLimit.h"
#include "Installation.h"
#include "MainLoop.h"
#include "RunningFileServer.h"
#include "TestHttpServer.h"

#include <fstream>
#include <gtest/gtest.h>

using namespace testing_support;

namespace {
struct Log : IUpdateObserver {
  std::mutex Lock;
  std::vector<std::string> Fetched, Failed;
  void FileFetched(const std::string& n) override {
    std::lock_guard guard(Lock);
    Fetched.push_back(n);
  }
  void FileFailed(const std::string& n, const std::string& r) override {
    std::lock_guard guard(Lock);
    Failed.push_back(n + ": " + r);
  }
};

struct FromServer : ::testing::Test {
  TempDir Central, Local;
  std::shared_ptr<platform::TMainThreadQueue> Main = std::make_shared<platform::TMainThreadQueue>();
  Log Observed;

  void Update(const std::string& url, const std::string& module, bool shared = true) {
    bool done = false;
    testing::internal::CaptureStderr(); // the download trace lines
    TFilesUpdater::New(Local.Folder(), "", url, [&] { done = true; },
                       {&Observed, false, {}, Main})
        ->Execute(module, shared);
    const bool completed = RunMainLoopUntil(*Main, [&] { return done; });
    testing::internal::GetCapturedStderr();
    ASSERT_TRUE(completed);
  }
};

std::string Listing(const std::vector<std::pair<std::string, std::string>>& files) {
  std::string json = "[";
  for (const auto& [name, age] : files)
    json += std::string(json.size() > 1 ? "," : "") + R"({"FileName":")" + name +
            R"(","Age":")" + age + R"("})";
  return json + "]";
}
} // namespace

TEST_F(FromServer, UpdatesFromTheReferenceServerAndASecondRunFetchesNothing) {
  const auto exe = Place(Central, "Treasury.exe", "#!/bin/sh\n", Age(1));
  Place(Central, "central.ini", "ini", Age(2, 11, 999));
  Place(Central, "Relatorio\\Censo.rav", "censo", Age(3));
  std::filesystem::create_directory(Local / "Relatorio");
  RunningFileServer server(Central.Path().string());
  Update(server.Base(), "Treasury.exe");
  EXPECT_EQ(Observed.Fetched.size(), 3u);
  EXPECT_TRUE(Observed.Failed.empty());
  EXPECT_EQ(ReadAll(Local / "Relatorio/Censo.rav"), "censo");
  EXPECT_EQ(AgeOf(Local / "central.ini"), Age(2, 11, 999));
  EXPECT_EQ(std::filesystem::status(Local / "Treasury.exe").permissions() &
                std::filesystem::perms::owner_exec,
            std::filesystem::perms::owner_exec);
  EXPECT_EQ(std::filesystem::status(Local / "central.ini").permissions() &
                std::filesystem::perms::owner_exec,
            std::filesystem::perms::none);
  Observed.Fetched.clear();
  Update(server.Base(), "Treasury.exe");
  EXPECT_TRUE(Observed.Fetched.empty());
}

TEST_F(FromServer, AFailedDownloadKeepsTheWorkingCopyAndSaysWhatTheServerAnswered) {
  const struct {
    int Status;
    const char *Body, *Reason;
  } cases[] = {
      {404, "", "HTTP/1.1 404 Not Found"},
      {404, "<html><body>No such file</body></html>", "HTTP/1.1 404 Not Found"},
      {500, "internal trouble", "HTTP/1.1 500 Internal Server Error"},
  };
  for (const auto& c : cases) {
    TestHttpServer server;
    server.Server.Get("/folderlist", [](const httplib::Request&, httplib::Response& res) {
      res.set_content(Listing({{"Treasury.exe", "2026-12-01T10:00:00.000Z"},
                               {"/central.ini", "2026-12-01T10:00:00.000Z"},
                               {"Relatorio/Censo.rav", "2026-12-01T10:00:00.000Z"}}),
                      "application/json");
    });
    server.Server.Get("/download", [&](const httplib::Request&, httplib::Response& res) {
      res.status = c.Status;
      if (*c.Body)
        res.set_content(c.Body, "text/html");
    });
    server.Start();
    Place(Local, "Treasury.exe", "working copy", Age(1));
    Observed.Failed.clear();
    Update(server.Base(), "Treasury.exe");
    EXPECT_EQ(Observed.Failed, std::vector<std::string>{std::string("Treasury.exe: ") + c.Reason});
    EXPECT_EQ(ReadAll(Local / "Treasury.exe"), "working copy");
    EXPECT_EQ(AgeOf(Local / "Treasury.exe"), Age(1));
    EXPECT_FALSE(std::filesystem::exists(Local / "Treasury.exe.norvane-part"));
    // Names with a leading separator or '/' between folders match no local name.
    EXPECT_FALSE(std::filesystem::exists(Local / "central.ini"));
  }
}

namespace {
// A server that lists the given files with the given ages and serves "new" for each.
struct ListingServer : TestHttpServer {
  explicit ListingServer(std::vector<std::pair<std::string, std::string>> files) {
    Server.Get("/folderlist", [files](const httplib::Request&, httplib::Response& res) {
      res.set_content(Listing(files), "application/json");
    });
    Server.Get("/download", [](const httplib::Request&, httplib::Response& res) {
      res.set_content("new", "application/octet-stream");
    });
    Start();
  }
};

// Whether the file system under `folder` keeps `age` as a last-write time.
bool Keeps(const std::filesystem::path& folder, platform::TDateTime age) {
  const auto probe = folder / "probe";
  std::ofstream(probe) << "x";
  const bool kept = platform::SetFileAge(probe.string(), age) && AgeOf(probe) == age;
  std::filesystem::remove(probe);
  return kept;
}
} // namespace

TEST_F(FromServer, AnAgeTheDiskCannotKeepFailsTheFetchAndKeepsTheOldCopy) {
  const platform::TDateTime first = platform::EncodeDateTime({1, 1, 1, 0, 0, 0, 0});
  if (Keeps(Local.Path(), first))
    GTEST_SKIP() << "this file system keeps every age";
  ListingServer server({{"central.ini", "0001-01-01T00:00:00"},
                        {"gds32.dll", "9999-12-31T23:59:59.999"},
                        {"zlib1.dll", "1899-12-29T00:00:00"}}); // the missing age itself
  for (const char* name : {"central.ini", "gds32.dll", "zlib1.dll"})
    Place(Local, name, "old", Age(1));
  for (int run = 0; run < 2; ++run) { // never "fetched", so also not on the next run
    Observed.Failed.clear();
    Update(server.Base(), "", true);
    EXPECT_TRUE(Observed.Fetched.empty());
    ASSERT_EQ(Observed.Failed.size(), 3u);
    for (const std::string& failure : Observed.Failed)
      EXPECT_NE(failure.find(": Age out of range: this file system cannot keep "),
                std::string::npos)
          << failure;
  }
  for (const char* name : {"central.ini", "gds32.dll", "zlib1.dll"}) {
    EXPECT_EQ(ReadAll(Local / name), "old") << name;
    EXPECT_FALSE(std::filesystem::exists(Local / (std::string(name) + ".norvane-part")));
  }
}

TEST_F(FromServer, AMissingFileIsFetchedWhateverItsListedAge) {
  // The listed age may equal the age that stands for "missing": the file is still fetched.
  TempDir local(std::filesystem::exists("/dev/shm") ? "/dev/shm" : "/tmp");
  if (!Keeps(local.Path(), platform::MissingAge))
    GTEST_SKIP() << "no file system here keeps 1899-12-29 as a last-write time";
  ListingServer server(
      std::vector<std::pair<std::string, std::string>>{{"central.ini", "1899-12-29T00:00:00"}});
  for (int run = 0; run < 2; ++run) {
    bool done = false;
    Log observed;
    testing::internal::CaptureStderr();
    TFilesUpdater::New(local.Folder(), "", server.Base(), [&] { done = true; },
                       {&observed, false, {}, Main})
        ->Execute("", true);
    ASSERT_TRUE(RunMainLoopUntil(*Main, [&] { return done; }));
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(observed.Fetched,
              run == 0 ? std::vector<std::string>{"central.ini"} : std::vector<std::string>{});
    EXPECT_TRUE(observed.Failed.empty());
  }
  EXPECT_EQ(ReadAll(local / "central.ini"), "new");
  EXPECT_EQ(AgeOf(local / "central.ini"), platform::MissingAge);
}

TEST_F(FromServer, AnErrorRecordLeavesTheInstallationUntouched) {
  TestHttpServer server;
  server.Server.Get("/folderlist", [](const httplib::Request&, httplib::Response& res) {
    res.status = 404;
    res.set_content(R"({"Error":"Not Found","Status":404})", "application/json");
  });
  server.Start();
  Place(Local, "central.ini", "old", Age(1));
  Update(server.Base(), "Treasury.exe");
  EXPECT_TRUE(Observed.Fetched.empty());
  EXPECT_EQ(ReadAll(Local / "central.ini"), "old");
}

TEST_F(FromServer, ADiskThatFillsUpDuringADownloadKeepsTheOldCopy) {
  Place(Central, "Treasury.exe", std::string(4 << 20, 'n'), Age(2));
  Place(Local, "Treasury.exe", "working copy", Age(1));
  RunningFileServer server(Central.Path().string());
  {
    FileSizeLimit full(1 << 20);
    Update(server.Base(), "Treasury.exe", false);
  }
  ASSERT_EQ(Observed.Failed.size(), 1u);
  EXPECT_EQ(ReadAll(Local / "Treasury.exe"), "working copy");
  EXPECT_FALSE(std::filesystem::exists(Local / "Treasury.exe.norvane-part"));
}

TEST_F(FromServer, AMissingLocalFolderFailsTheFetch) {
  Place(Central, "Relatorio\\Censo.rav", "censo", Age(3));
  RunningFileServer server(Central.Path().string());
  Update(server.Base(), "", true);
  EXPECT_EQ(Observed.Failed,
            std::vector<std::string>{"Relatorio\\Censo.rav: The specified path was not found"});
}

namespace {
// Folders that a server running as another user may read.
void OpenUp(const std::filesystem::path& path) {
  std::filesystem::permissions(path, std::filesystem::perms(0777));
}
} // namespace

TEST_F(FromServer, GoesThroughTheProxyOfTheEnvironment) {
  if (!std::filesystem::exists("/usr/sbin/squid"))
    GTEST_SKIP() << "squid is not installed";
  Place(Central, "Treasury.exe", "through the proxy", Age(4));
  RunningFileServer server(Central.Path().string());
  TempDir proxyDir;
  OpenUp(proxyDir.Path());
  const int port = ClosedPort();
  std::ofstream(proxyDir / "squid.conf")
      << "http_port 127.0.0.1:" << port << "\n"
      << "acl local src 127.0.0.1/32\nhttp_access allow local\nhttp_access deny all\n"
      << "cache deny all\nshutdown_lifetime 0 seconds\nstrip_query_terms off\n"
      << "access_log stdio:" << (proxyDir / "access.log").string() << "\n"
      << "cache_log " << (proxyDir / "cache.log").string() << "\n"
      << "pid_filename " << (proxyDir / "squid.pid").string() << "\n"
      << "coredump_dir " << proxyDir.Path().string() << "\n";
  ExternalServer squid({"/usr/sbin/squid", "-N", "-f", (proxyDir / "squid.conf").string()}, port);
  ASSERT_TRUE(squid.WaitReady()) << ReadAll(proxyDir / "cache.log");
  const std::string proxy = "http://127.0.0.1:" + std::to_string(port);
  setenv("http_proxy", proxy.c_str(), 1);
  unsetenv("no_proxy");
  unsetenv("NO_PROXY");
  Update(server.Base(), "Treasury.exe", false);
  unsetenv("http_proxy");
  EXPECT_EQ(ReadAll(Local / "Treasury.exe"), "through the proxy");
  // squid writes its log as the requests end; give it a moment.
  std::string log;
  for (int i = 0; i < 50 && log.find("/download") == std::string::npos; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    log = ReadAll(proxyDir / "access.log");
  }
  EXPECT_NE(log.find("/folderlist?folder=%5C&mask=*.*&recursive="), std::string::npos) << log;
  EXPECT_NE(log.find("/download?file=Treasury.exe"), std::string::npos) << log;
}

TEST_F(FromServer, UpdatesFromAStaticSiteOfAnotherServer) {
  if (!std::filesystem::exists("/usr/sbin/nginx"))
    GTEST_SKIP() << "nginx is not installed";
  TempDir site;
  OpenUp(site.Path());
  std::filesystem::create_directories(site / "files");
  std::filesystem::create_directories(site / "temp");
  OpenUp(site / "files");
  std::ofstream(site / "files/Treasury.exe") << "from nginx";
  std::ofstream(site / "files/central.ini") << "ini from nginx";
  std::ofstream(site / "listing.json") << Listing({{"Treasury.exe", "2026-12-01T10:00:00.250Z"},
                                                   {"central.ini", "2026-12-01T09:00:00-03:00"}});
  const int port = ClosedPort();
  const std::string dir = site.Path().string();
  std::ofstream(site / "nginx.conf")
      << "daemon off; master_process off; pid " << dir << "/nginx.pid;\n"
      << "error_log " << dir << "/error.log;\nevents {}\nhttp {\n access_log off;\n"
      << " client_body_temp_path " << dir << "/temp; proxy_temp_path " << dir << "/temp;\n"
      << " fastcgi_temp_path " << dir << "/temp; uwsgi_temp_path " << dir << "/temp;\n"
      << " scgi_temp_path " << dir << "/temp;\n"
      << " server {\n  listen 127.0.0.1:" << port << ";\n"
      << "  location = /folderlist { default_type application/json; alias " << dir
      << "/listing.json; }\n"
      << "  location = /download { root " << dir << "/files; rewrite ^ /$arg_file break; }\n"
      << " }\n}\n";
  ExternalServer nginx({"/usr/sbin/nginx", "-c", (site / "nginx.conf").string()}, port);
  ASSERT_TRUE(nginx.WaitReady()) << ReadAll(site / "error.log");
  Update("127.0.0.1:" + std::to_string(port), "Treasury.exe");
  EXPECT_TRUE(Observed.Failed.empty()) << Observed.Failed.front();
  EXPECT_EQ(ReadAll(Local / "Treasury.exe"), "from nginx");
  EXPECT_EQ(AgeOf(Local / "Treasury.exe"), platform::EncodeDateTime({2026, 12, 1, 10, 0, 0, 250}));
  EXPECT_EQ(AgeOf(Local / "central.ini"), platform::EncodeDateTime({2026, 12, 1, 12, 0, 0, 0}));
}
