#include "Norvane.RESTClient.FileList.h"

#include "FileTimes.h"
#include "Installation.h"
#include "RunningFileServer.h"

#include <algorithm>
#include <gtest/gtest.h>

using namespace testing_support;

namespace {
struct Server : ::testing::Test {
  TempDir Root, Local, Outside;
  std::unique_ptr<RunningFileServer> Running;

  void SetUp() override {
    Place(Root, "central.ini", "ini", Age(1));
    Place(Root, "README", "no extension", Age(1));
    Place(Root, "Relatorio\\Ficha.rav", "ficha", Age(2, 9, 7));
    Place(Root, "Relatorio\\Sub\\Fundo.rav", "fundo", Age(3));
    Place(Root, "Nomes\\Ficha Nº 1 & #2+.rav", "odd", Age(4));
    Place(Outside, "secret.txt", "secret", Age(5));
    std::filesystem::create_symlink(Outside / "secret.txt", Root / "leak.txt");
    std::filesystem::create_directory_symlink(Outside.Path(), Root / "outside");
    std::filesystem::create_symlink(Root / "central.ini", Root / "inside.ini");
    Running = std::make_unique<RunningFileServer>(Root.Path().string());
  }

  std::vector<std::pair<std::string, double>> List(const std::string& folder,
                                                   const std::string& mask, bool recursive,
                                                   bool* ok = nullptr, int* status = nullptr) {
    TRESTClientFileList client(Running->Base());
    const bool result = client.Execute(folder, mask, recursive);
    if (ok)
      *ok = result;
    if (status)
      *status = client.Error().Status();
    std::vector<std::pair<std::string, double>> files;
    for (int i = 0; i < client.Count(); ++i)
      files.emplace_back(client.Items(i)->FileName(), client.Items(i)->Age());
    std::sort(files.begin(), files.end());
    return files;
  }

  std::optional<std::string> Fetch(const std::string& name) {
    const auto target = Local / "fetched";
    std::filesystem::remove(target);
    testing::internal::CaptureStderr();
    const bool ok = TRESTClientDownload(Running->Base()).Download(name, target.string());
    testing::internal::GetCapturedStderr();
    return ok ? std::optional<std::string>(ReadAll(target)) : std::nullopt;
  }
};
} // namespace

TEST_F(Server, ListsTheTreeAsTheLauncherNamesIt) {
  using Files = std::vector<std::pair<std::string, double>>;
  EXPECT_EQ(List("\\", "*.*", true), (Files{{"Nomes\\Ficha Nº 1 & #2+.rav", Age(4)},
                                            {"README", Age(1)},
                                            {"Relatorio\\Ficha.rav", Age(2, 9, 7)},
                                            {"Relatorio\\Sub\\Fundo.rav", Age(3)},
                                            {"central.ini", Age(1)},
                                            {"inside.ini", Age(1)}}));
  EXPECT_EQ(List("\\", "*.*", false),
            (Files{{"README", Age(1)}, {"central.ini", Age(1)}, {"inside.ini", Age(1)}}));
  EXPECT_EQ(List("relatorio", "*.rav", true),
            (Files{{"Ficha.rav", Age(2, 9, 7)}, {"Sub\\Fundo.rav", Age(3)}}));
  EXPECT_EQ(List("Relatorio/Sub", "f*", false), (Files{{"Fundo.rav", Age(3)}}));
}

TEST_F(Server, AnswersAMissingOrForbiddenFolderWithAnErrorRecord) {
  const struct {
    const char* folder;
    int status;
  } cases[] = {{"Nada", 404}, {"..", 400}, {"Relatorio\\..\\..", 400}, {"C:\\Windows", 400},
               {"\\\\srv\\share", 400}, {"/etc", 400}, {"outside", 400}};
  for (const auto& c : cases) {
    bool ok = true;
    int status = 0;
    EXPECT_TRUE(List(c.folder, "*.*", true, &ok, &status).empty()) << c.folder;
    EXPECT_FALSE(ok) << c.folder;
    EXPECT_EQ(status, c.status) << c.folder;
  }
}

TEST_F(Server, ServesFilesByNameWithoutRegardToCaseAndNothingOutsideItsRoot) {
  const struct {
    const char* name;
    std::optional<std::string> content;
  } cases[] = {
      {"central.ini", "ini"},
      {"CENTRAL.INI", "ini"},
      {"relatorio\\sub\\FUNDO.rav", "fundo"},
      {"Relatorio/Ficha.rav", "ficha"},
      {"Nomes\\Ficha Nº 1 & #2+.rav", "odd"},
      {"inside.ini", "ini"},
      {"missing.dll", std::nullopt},
      {"Relatorio", std::nullopt},
      {"..\\..\\etc\\passwd", std::nullopt},
      {"/etc/passwd", std::nullopt},
      {"C:\\Windows\\win.ini", std::nullopt},
      {"leak.txt", std::nullopt},
      {"outside\\secret.txt", std::nullopt},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Fetch(c.name), c.content) << c.name;
  EXPECT_EQ(Fetch(std::string("central.ini\0.x", 14)), std::nullopt);
}

TEST_F(Server, AgesCompareEqualOnceAFileIsFetchedAndStamped) {
  const auto files = List("\\", "*.*", true);
  const auto ficha = std::find_if(files.begin(), files.end(),
                                  [](const auto& f) { return f.first == "Relatorio\\Ficha.rav"; });
  ASSERT_NE(ficha, files.end());
  ASSERT_TRUE(Fetch("Relatorio\\Ficha.rav"));
  platform::SetFileAge((Local / "fetched").string(), ficha->second);
  EXPECT_EQ(AgeOf(Local / "fetched"), AgeOf(Root / "Relatorio/Ficha.rav"));
}
