#include "Configuration.h"

#include "Errors.h"
#include "TempDir.h"

#include <gtest/gtest.h>

namespace {
TLauncherConfiguration LoadWith(const testing_support::TempDir& dir, const std::string* ini) {
  if (ini)
    dir.Write("Norvane.ini", *ini);
  return LoadLauncherConfiguration(dir.Folder() + "norvane");
}
} // namespace

TEST(LoadConfiguration, DerivesFoldersAndAddresses) {
  struct Case {
    const char* name;
    std::optional<std::string> ini;
    std::string remote, checagem, painel, url;
  } cases[] = {
      {"no file", std::nullopt, "\\", "http://127.0.0.1:8789/$/start/\\",
       "http://127.0.0.1:8789/?m=P\\", ""},
      {"folder without backslash", "[Servidor]\nLocal Exe=\\\\srv\\norvane\n", "\\\\srv\\norvane\\",
       "http://127.0.0.1:8789/$/start/\\", "http://127.0.0.1:8789/?m=P\\", ""},
      {"folder with backslash kept", "[Servidor]\nLocal Exe=\\\\srv\\n\\\n", "\\\\srv\\n\\",
       "http://127.0.0.1:8789/$/start/\\", "http://127.0.0.1:8789/?m=P\\", ""},
      {"slash gets a backslash after it", "[Servidor]\nLocal Exe=/srv/norvane/\n",
       "/srv/norvane/\\", "http://127.0.0.1:8789/$/start/\\", "http://127.0.0.1:8789/?m=P\\", ""},
      {"url of blanks kept with its blanks", "[Servidor]\nurl=\"   \"\n", "\\",
       "http://127.0.0.1:8789/$/start/\\", "http://127.0.0.1:8789/?m=P\\", "   "},
      {"empty Checagem", "[Servidor]\nChecagem=\nPainel=http://p\n", "\\", "\\", "http://p\\", ""},
      {"odd case and spacing", "[sErViDoR]\n  local EXE  =  /c  \n URL = http://h:8080 \n",
       "/c\\", "http://127.0.0.1:8789/$/start/\\", "http://127.0.0.1:8789/?m=P\\",
       "http://h:8080"},
  };
  for (const auto& c : cases) {
    testing_support::TempDir dir;
    const auto config = LoadWith(dir, c.ini ? &*c.ini : nullptr);
    EXPECT_EQ(config.FLocalPath, dir.Folder()) << c.name;
    EXPECT_EQ(config.FRemotePath, c.remote) << c.name;
    EXPECT_EQ(config.wLocalChecagem, c.checagem) << c.name;
    EXPECT_EQ(config.wLocalPainel, c.painel) << c.name;
    EXPECT_EQ(config.FUrl, c.url) << c.name;
  }
}

TEST(LoadConfiguration, LongValuesAreCutAndNothingIsWritten) {
  testing_support::TempDir dir;
  const std::string ini = "[Servidor]\nLocal Exe=" + std::string(5000, 'p') + "\n";
  const auto config = LoadWith(dir, &ini);
  EXPECT_EQ(config.FRemotePath, std::string(2047, 'p') + "\\");
  EXPECT_EQ(testing_support::ReadAll(dir / "Norvane.ini"), ini);
}

TEST(ReportFolder, IsCreatedOnceAndAFileInTheWayIsAnError) {
  testing_support::TempDir dir;
  EnsureReportFolder(dir.Folder());
  EXPECT_TRUE(std::filesystem::is_directory(dir / "Relatorio"));
  dir.Write("Relatorio/keep.rav", "x");
  EXPECT_NO_THROW(EnsureReportFolder(dir.Folder()));
  EXPECT_TRUE(std::filesystem::exists(dir / "Relatorio/keep.rav"));

  testing_support::TempDir other;
  other.Write("Relatorio", "a file");
  try {
    EnsureReportFolder(other.Folder());
    FAIL() << "no error";
  } catch (const platform::EError& e) {
    EXPECT_STREQ(e.what(), "Não Criou o Diretório Relatorio. Contacte o Norvane.");
  }
}
