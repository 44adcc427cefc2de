#include "Norvane.RESTClient.FileList.h"

#include "ErrorOf.h"
#include "GzipText.h"
#include "Errors.h"
#include "Iso8601.h"
#include "TempDir.h"
#include "TestHttpServer.h"

#include <atomic>
#include <gtest/gtest.h>
#include <mutex>
#include <set>
#include <sys/resource.h>
#include <thread>

using namespace testing_support;

namespace {

// Remembers the last request: its target and headers.
struct Recorder {
  std::mutex Lock;
  std::string Target, Accept, AcceptCharset;
  void Record(const httplib::Request& req) {
    std::lock_guard guard(Lock);
    Target = req.target;
    Accept = req.get_header_value("Accept");
    AcceptCharset = req.get_header_value("Accept-Charset");
  }
};

const char* Json = "application/json";
} // namespace

TEST(RESTClientFileList, SendsTheContractsRequest) {
  TestHttpServer server;
  Recorder recorder;
  server.Server.Get(R"(/+folderlist)", [&](const httplib::Request& req, httplib::Response& res) {
    recorder.Record(req);
    res.set_content("[]", Json);
  });
  server.Start();
  struct Case {
    std::string base, folder, mask;
    bool recursive;
    const char* target;
  } cases[] = {
      {server.Base(), "\\", "*.*", true, "/folderlist?folder=%5C&mask=*.*&recursive="},
      {"127.0.0.1:" + std::to_string(server.Port()) + "/", "\\", "*.*", true,
       "/folderlist?folder=%5C&mask=*.*&recursive="},
      {server.Base(), "", "", false, "/folderlist"},
      {server.Base(), "a&b", "a b", false, "/folderlist?folder=a%26b&mask=a+b"},
  };
  for (const auto& c : cases) {
    TRESTClientFileList client(c.base);
    EXPECT_TRUE(client.Execute(c.folder, c.mask, c.recursive));
    EXPECT_EQ(client.Count(), 0);
    EXPECT_EQ(recorder.Target, c.target);
    EXPECT_EQ(recorder.Accept, "application/json");
    EXPECT_EQ(recorder.AcceptCharset, "UTF-8, *;q=0.8");
  }
}

TEST(RESTClientFileList, HandlesEachKindOfAnswer) {
  TestHttpServer server;
  const auto route = [&](const char* path, int status, const char* body, const char* type) {
    server.Server.Get(path, [=](const httplib::Request&, httplib::Response& res) {
      res.status = status;
      res.set_content(body, type);
    });
  };
  route("/ok/folderlist", 200, R"([{"FileName":"a.dll","Age":"2026-12-10T12:00:00Z"}])", Json);
  route("/empty/folderlist", 200, "[]", Json);
  route("/html/folderlist", 200, "<html>oops</html>", "text/html");
  route("/object/folderlist", 200, "{}", Json);
  route("/record/folderlist", 404, R"({"Error":"Not Found","Status":404,"Detail":"No folder"})", Json);
  route("/html404/folderlist", 404, "<html>Not Found</html>", "text/html");
  route("/zero/folderlist", 404, R"({"Error":"odd"})", Json);
  route("/busy/folderlist", 503, "busy", "text/plain");
  route("/latin1/folderlist", 200, "[{\"FileName\":\"Relat\xF3rio.rav\"}]",
        "application/json; charset=ISO-8859-1");
  // A byte that is not UTF-8 in a body that names no charset spoils one name, not the listing.
  route("/badbyte/folderlist", 200, "[{\"FileName\":\"caf\xE9.rav\"},{\"FileName\":\"ok.rav\"}]",
        Json);
  server.Server.Get("/flip/folderlist", [calls = 0](const httplib::Request&,
                                                    httplib::Response& res) mutable {
    if (calls++ == 0) {
      res.status = 404;
      res.set_content(R"({"Status":404})", Json);
    } else {
      res.set_content(R"([{"FileName":"a"}])", Json);
    }
  });
  server.Server.Get("/moved/folderlist", [](const httplib::Request&, httplib::Response& res) {
    res.set_redirect("/ok/folderlist");
  });
  server.Server.Get("/loop/folderlist", [](const httplib::Request&, httplib::Response& res) {
    res.set_redirect("/loop/folderlist");
  });
  server.Start();
  struct Case {
    const char* path;
    std::string error;
    bool result;
    int count;
    int status;
  } cases[] = {
      {"/ok", "", true, 1, 0},
      {"/moved", "", true, 1, 0},
      {"/empty", "", true, 0, 0},
      {"/latin1", "", true, 1, 0},
      {"/badbyte", "", true, 2, 0},
      {"/html", "TFilesInfoDTOHelper.FromJSON", false, 0, 0},
      {"/object", "Invalid class typecast", false, 0, 0},
      {"/record", "", false, 0, 404},
      {"/zero", "", true, 0, 0},
      {"/html404", "The input value is not a valid Object", false, 0, 0},
      {"/busy", "HTTP/1.1 503 Service Unavailable", false, 0, 0},
  };
  for (const auto& c : cases) {
    TRESTClientFileList client(server.Base() + c.path);
    bool result = false;
    EXPECT_EQ(ErrorOf([&] { result = client.Execute("\\", "*.*", true); }), c.error) << c.path;
    EXPECT_EQ(result, c.result) << c.path;
    EXPECT_EQ(client.Count(), c.count) << c.path;
    EXPECT_EQ(client.Error().Status(), c.status) << c.path;
    EXPECT_EQ(client.Items(-1), nullptr);
    EXPECT_EQ(client.Items(client.Count()), nullptr);
  }
  TRESTClientFileList latin1(server.Base() + "/latin1");
  latin1.Execute("", "", false);
  EXPECT_EQ(latin1.Items(0)->FileName(), "Relatório.rav");
  TRESTClientFileList badByte(server.Base() + "/badbyte");
  badByte.Execute("", "", false);
  EXPECT_EQ(badByte.Items(0)->FileName(), "caf\xEF\xBF\xBD.rav");
  EXPECT_EQ(badByte.Items(1)->FileName(), "ok.rav");

  TRESTClientFileList record(server.Base() + "/record");
  EXPECT_FALSE(record.Execute("\\", "*.*", true));
  EXPECT_EQ(record.Error().Error(), "Not Found");
  EXPECT_EQ(record.Error().Detail(), "No folder");
  // The error record stays: a later listing on the same object still reports false.
  TRESTClientFileList flip(server.Base() + "/flip");
  EXPECT_FALSE(flip.Execute("", "", false));
  EXPECT_FALSE(flip.Execute("", "", false));
  EXPECT_EQ(flip.Count(), 1);

  const std::string loop = ErrorOf([&] { TRESTClientFileList(server.Base() + "/loop").Execute("", "", false); });
  EXPECT_EQ(loop.rfind("REST request failed: ", 0), 0u) << loop;
}

TEST(RESTClientFileList, ReportsWhatKeepsTheRequestFromAnAnswer) {
  const std::string refused = ErrorOf([] {
    TRESTClientFileList("127.0.0.1:" + std::to_string(ClosedPort())).Execute("\\", "*.*", true);
  });
  EXPECT_EQ(refused.rfind("REST request failed: ", 0), 0u) << refused;
  for (const char* blank : {"", "   "})
    EXPECT_EQ(ErrorOf([&] { TRESTClientFileList(blank).Execute("\\", "*.*", true); }),
              "Protocol field is empty");
}

TEST(RESTClientFileList, AServerThatNeverAnswersFailsAfterThirtySeconds) {
  SilentServer silent;
  const auto started = std::chrono::steady_clock::now();
  const std::string error =
      ErrorOf([&] { TRESTClientFileList(silent.Base()).Execute("\\", "*.*", true); });
  const auto waited = std::chrono::steady_clock::now() - started;
  EXPECT_EQ(error.rfind("REST request failed: ", 0), 0u) << error;
  EXPECT_GE(waited, std::chrono::seconds(29));
  EXPECT_LE(waited, std::chrono::seconds(45));
}

TEST(RESTClientFileList, RefusesAListingTooLargeToReadBeforeReadingItWhole) {
  TestHttpServer server;
  const std::string elements = [] {
    std::string text = "[{}";
    text.reserve(3'000'010);
    for (int i = 0; i < 1'000'000; ++i)
      text += ",{}";
    return text + "]";
  }();
  server.Server.Get("/sized/folderlist", [](const httplib::Request&, httplib::Response& res) {
    res.set_content(std::string((64 << 20) + 1, ' '), Json);
  });
  server.Server.Get("/streamed/folderlist", [](const httplib::Request&, httplib::Response& res) {
    res.set_chunked_content_provider(
        Json, [sent = std::size_t(0)](size_t, httplib::DataSink& sink) mutable {
          static const std::string block = [] {
            std::string b = "[";
            while (b.size() < (1 << 20))
              b += "{},";
            return b;
          }();
          if (sent > (80u << 20)) { // the client should have stopped reading long before
            sink.done();
            return true;
          }
          sent += block.size();
          return sink.write(block.data(), block.size());
        });
  });
  server.Server.Get("/many/folderlist", [&](const httplib::Request&, httplib::Response& res) {
    res.set_content(elements, Json);
  });
  // A few kilobytes on the wire that would unpack to more than the limit.
  const std::string bomb = GzipText(std::string((64 << 20) + 1, ' '));
  server.Server.Get("/gzipped/folderlist", [&](const httplib::Request&, httplib::Response& res) {
    res.set_header("Content-Encoding", "gzip");
    res.set_content(bomb, Json);
  });
  server.Start();
  const struct {
    const char *Path, *Error;
  } cases[] = {
      {"/sized", "The file list is too large: more than 64 MiB"},
      {"/streamed", "The file list is too large: more than 64 MiB"},
      {"/many", "The file list is too large: more than 1000000 files"},
      {"/gzipped", "The file list is too large: more than 64 MiB"},
  };
  for (const auto& c : cases) {
    TRESTClientFileList client(server.Base() + c.Path);
    EXPECT_EQ(ErrorOf([&] { client.Execute("\\", "*.*", true); }), c.Error) << c.Path;
    EXPECT_EQ(client.Count(), 0) << c.Path;
  }
}

TEST(RESTClientFileList, AsksForTheListingGzippedAndReadsItSo) {
  TestHttpServer server;
  std::string acceptEncoding;
  server.Server.Get("/folderlist", [&](const httplib::Request& req, httplib::Response& res) {
    acceptEncoding = req.get_header_value("Accept-Encoding");
    res.set_header("Content-Encoding", "gzip");
    res.set_content(GzipText(R"([{"FileName":"Treasury.exe","Age":"2026-12-01T10:00:00.000Z"},)"
                             R"({"FileName":"Relatorio\\Censo.rav","Age":"2026-12-01T10:00:00.000Z"}])"),
                    Json);
  });
  server.Start();
  TRESTClientFileList client(server.Base());
  ASSERT_TRUE(client.Execute("\\", "*.*", true));
  EXPECT_NE(acceptEncoding.find("gzip"), std::string::npos) << acceptEncoding;
  ASSERT_EQ(client.Count(), 2);
  EXPECT_EQ(client.Items(1)->FileName(), "Relatorio\\Censo.rav");
}

namespace {
struct Downloads : ::testing::Test {
  TestHttpServer Server;
  TempDir Local;
  std::atomic<bool> SlowStarted{false};
  std::mutex Lock;
  std::set<int> ClientPorts; // one per connection the downloads came on
  void SetUp() override {
    Server.Server.Get(R"(/+download)", [this](const httplib::Request& req, httplib::Response& res) {
      {
        std::lock_guard guard(Lock);
        ClientPorts.insert(req.remote_port);
      }
      const std::string name = req.get_param_value("file");
      if (name == "empty.dll")
        res.set_content("", "application/octet-stream");
      else if (name == "missing.dll")
        res.status = 404;
      else if (name == "slow.dll")
        res.set_chunked_content_provider(
            "application/octet-stream", [this, part = 0](size_t, httplib::DataSink& sink) mutable {
              SlowStarted = true;
              if (part == 5) {
                sink.done();
                return true;
              }
              std::this_thread::sleep_for(std::chrono::milliseconds(100));
              return sink.write("slow ", 5) && ++part > 0;
            });
      else if (name == "cut.dll")
        res.set_content_provider(1000, "application/octet-stream",
                                 [](size_t, size_t, httplib::DataSink& sink) {
                                   sink.write("only part", 9);
                                   return false; // the connection breaks mid-body
                                 });
      else
        res.set_content("bytes of " + name, "application/octet-stream");
    });
    Server.Start();
  }
};
} // namespace

TEST_F(Downloads, WritesTheBodyOrLeavesNoFile) {
  struct Case {
    const char* name;
    bool result;
    std::optional<std::string> content;
  } cases[] = {
      {"Relatorio\\Ficha Nº 1 & #2+.rav", true, "bytes of Relatorio\\Ficha Nº 1 & #2+.rav"},
      {"empty.dll", true, ""},
      {"missing.dll", false, std::nullopt},
      {"cut.dll", false, std::nullopt},
  };
  for (const auto& c : cases) {
    const auto target = Local / "target.bin";
    testing::internal::CaptureStderr();
    const bool result = TRESTClientDownload(Server.Base()).Download(c.name, target.string());
    const std::string trace = testing::internal::GetCapturedStderr();
    EXPECT_EQ(result, c.result) << c.name;
    EXPECT_EQ(trace, std::string(92, '>') + c.name + "\n");
    EXPECT_EQ(std::filesystem::exists(target), c.content.has_value()) << c.name;
    if (c.content) {
      EXPECT_EQ(ReadAll(target), *c.content) << c.name;
    }
  }
}

TEST_F(Downloads, ASecondDownloadToTheSameFileFailsAndTheFirstCompletes) {
  const auto target = Local / "shared.dll";
  testing::internal::CaptureStderr();
  bool first = false;
  std::thread slow(
      [&] { first = TRESTClientDownload(Server.Base()).Download("slow.dll", target); });
  while (!SlowStarted) // the first holds the file once its request is under way
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  EXPECT_EQ(ErrorOf([&] { TRESTClientDownload(Server.Base()).Download("b.dll", target); }),
            platform::SFileInUse);
  slow.join();
  testing::internal::GetCapturedStderr();
  EXPECT_TRUE(first);
  EXPECT_EQ(ReadAll(target), "slow slow slow slow slow ");
}

TEST_F(Downloads, ABaseEndingInSlashAsksForDoubleSlash) {
  const auto target = Local / "a.dll";
  EXPECT_TRUE(TRESTClientDownload(Server.Base() + "/").Download("a.dll", target.string()));
  EXPECT_EQ(ReadAll(target), "bytes of a.dll");
}

TEST_F(Downloads, OneThreadsDownloadsShareOneConnection) {
  for (const char* name : {"a.dll", "b.dll", "missing.dll", "c.dll", "empty.dll"})
    TRESTClientDownload(Server.Base()).Download(name, (Local / name).string());
  EXPECT_EQ(ReadAll(Local / "c.dll"), "bytes of c.dll");
  EXPECT_EQ(ClientPorts.size(), 1u);
}

TEST_F(Downloads, AMissingFolderRaisesAndABlankBaseFails) {
  EXPECT_EQ(ErrorOf([&] {
              TRESTClientDownload(Server.Base()).Download("a.dll", (Local / "no/a.dll").string());
            }),
            "The specified path was not found");
  EXPECT_FALSE(TRESTClientDownload("  ").Download("a.dll", (Local / "a.dll").string()));
  EXPECT_FALSE(std::filesystem::exists(Local / "a.dll"));
}

TEST_F(Downloads, ThreadedDownloadKeepsTheCallersEventsGoing) {
  int pumped = 0;
  const auto target = Local / "b.dll";
  EXPECT_TRUE(TRESTClientDownload(Server.Base()).ThreadedDownload("b.dll", target.string(),
                                                                  [&] { ++pumped; }));
  EXPECT_EQ(ReadAll(target), "bytes of b.dll");
  EXPECT_FALSE(TRESTClientDownload(Server.Base()).ThreadedDownload("missing.dll",
                                                                   (Local / "m").string()));
  EXPECT_FALSE(std::filesystem::exists(Local / "m"));
}

TEST(RESTClientDownload, AServerThatNeverAnswersFailsAfterThirtySeconds) {
  SilentServer silent;
  TempDir local;
  const auto started = std::chrono::steady_clock::now();
  EXPECT_FALSE(TRESTClientDownload(silent.Base()).Download("a.dll", (local / "a.dll").string()));
  EXPECT_GE(std::chrono::steady_clock::now() - started, std::chrono::seconds(29));
  EXPECT_FALSE(std::filesystem::exists(local / "a.dll"));
}

TEST(RESTClientDownload, ALargeFileStreamsWithoutGrowingMemory) {
  TestHttpServer server;
  constexpr std::size_t size = std::size_t(1) << 30; // 1 GiB
  server.Server.Get("/download", [](const httplib::Request&, httplib::Response& res) {
    res.set_content_provider(size, "application/octet-stream",
                             [](size_t offset, size_t length, httplib::DataSink& sink) {
                               static const std::string block(1 << 20, 'n');
                               sink.write(block.data(), std::min(length, block.size()));
                               (void)offset;
                               return true;
                             });
  });
  server.Start();
  TempDir local;
  rusage before{}, after{};
  getrusage(RUSAGE_SELF, &before);
  std::string reason;
  const int fd = open((local / "big.bin").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  EXPECT_TRUE(TRESTClientDownload(server.Base()).DownloadTo("big.bin", fd, reason)) << reason;
  close(fd);
  getrusage(RUSAGE_SELF, &after);
  EXPECT_EQ(std::filesystem::file_size(local / "big.bin"), size);
  EXPECT_LT(after.ru_maxrss - before.ru_maxrss, 64 * 1024); // kilobytes
}

TEST(RESTClientFileList, RefusesAServerWhoseCertificateCannotBeVerified) {
  if (system("command -v openssl >/dev/null") != 0)
    GTEST_SKIP() << "openssl is not installed";
  TempDir keys;
  const std::string cert = (keys / "cert.pem").string(), key = (keys / "key.pem").string();
  const std::string make = "openssl req -x509 -newkey rsa:2048 -nodes -days 1 -subj /CN=127.0.0.1 "
                           "-keyout '" + key + "' -out '" + cert + "' 2>/dev/null";
  ASSERT_EQ(system(make.c_str()), 0);
  httplib::SSLServer server(cert.c_str(), key.c_str());
  server.Get("/folderlist", [](const httplib::Request&, httplib::Response& res) {
    res.set_content("[]", "application/json");
  });
  const int port = server.bind_to_any_port("127.0.0.1");
  std::thread serving([&] { server.listen_after_bind(); });
  while (!server.is_running())
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  const std::string error = ErrorOf([&] {
    TRESTClientFileList("https://127.0.0.1:" + std::to_string(port)).Execute("\\", "*.*", true);
  });
  server.stop();
  serving.join();
  EXPECT_EQ(error.rfind("REST request failed: SSL certificate problem", 0), 0u) << error;
}
