#include "Paths.h"

#include "Errors.h"
#include "TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace platform;

TEST(Paths, JoinsTheSuitesWay) {
  struct Case {
    const char *folder, *name, *expected;
  } cases[] = {
      {"", "FrontDesk.exe", "FrontDesk.exe"},
      {"C:\\Norvane", "", "C:\\Norvane"},
      {"C:\\Norvane", "a.exe", "C:\\Norvane\\a.exe"},
      {"C:\\Norvane\\", "a.exe", "C:\\Norvane\\a.exe"},
      {"/opt/norvane/", "a.exe", "/opt/norvane/a.exe"},
      {"/opt/norvane", "Relatorio\\r.rav", "/opt/norvane\\Relatorio\\r.rav"},
      {"C:", "a.exe", "C:a.exe"},
      {"C:\\Norvane", "\\a.exe", "\\a.exe"},
      {"C:\\Norvane", "/a.exe", "/a.exe"},
      {"C:\\Norvane", "D:\\a.exe", "D:\\a.exe"},
      {"C:\\Norvane", "d:a.exe", "d:a.exe"},
      {"C:\\Norvane", "1:a.exe", "C:\\Norvane\\1:a.exe"},
      {"\\", "a.exe", "\\a.exe"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(JoinPath(c.folder, c.name), c.expected) << c.folder << " + " << c.name;
}

TEST(Paths, RejectsInvalidCharactersWhenChecking) {
  const char* bad[] = {"a<b", "a>b", "a\"b", "a|b", "a\tb", "a\rb", "a\nb", "a\x01" "b"};
  for (const char* text : bad) {
    EXPECT_THROW(
        {
          try {
            JoinPath("C:\\Norvane", text);
          } catch (const EError& e) {
            EXPECT_STREQ(e.what(), "Invalid characters in path");
            throw;
          }
        },
        EError)
        << text;
    EXPECT_THROW(JoinPath(text, "a.exe"), EError) << text;
    EXPECT_NO_THROW(JoinPath(text, "a.exe", false)) << text;
  }
  EXPECT_NO_THROW(JoinPath("C:\\Pasta*?", "Relatório ção.exe"));
}

TEST(Paths, TrailingBackslashAndFolderPart) {
  EXPECT_EQ(IncludeTrailingBackslash(""), "\\");
  EXPECT_EQ(IncludeTrailingBackslash("\\\\srv\\share"), "\\\\srv\\share\\");
  EXPECT_EQ(IncludeTrailingBackslash("\\\\srv\\share\\"), "\\\\srv\\share\\");
  EXPECT_EQ(IncludeTrailingBackslash("/srv/share/"), "/srv/share/\\");
  EXPECT_EQ(ExtractFilePath("/opt/norvane/norvane"), "/opt/norvane/");
  EXPECT_EQ(ExtractFilePath("C:\\Norvane\\Norvane.exe"), "C:\\Norvane\\");
  EXPECT_EQ(ExtractFilePath("C:Norvane.exe"), "C:");
  EXPECT_EQ(ExtractFilePath("Norvane.exe"), "");
  // The system's own separator between folders.
  EXPECT_EQ(ToNativePath("/srv/share/\\Relatorio\\a.rav"),
            std::filesystem::path::preferred_separator == '/' ? "/srv/share//Relatorio/a.rav"
                                                              : "\\srv\\share\\\\Relatorio\\a.rav");
}

TEST(Paths, ForceDirectoriesCreatesEveryMissingLevel) {
  testing_support::TempDir dir;
  const std::string deep = dir.Folder() + "a\\b\\c";
  ForceDirectories(deep);
  EXPECT_TRUE(DirectoryExists(deep));
  EXPECT_NO_THROW(ForceDirectories(deep));
  dir.Write("file", "x");
  EXPECT_THROW(ForceDirectories(dir.Folder() + "file\\sub"), EOSError);
}

TEST(Paths, ExistenceDistinguishesFilesFromFolders) {
  testing_support::TempDir dir;
  dir.Write("Relatorio/a.rav", "x");
  EXPECT_TRUE(FileExists(dir.Folder() + "Relatorio\\a.rav"));
  EXPECT_FALSE(FileExists(dir.Folder() + "Relatorio"));
  EXPECT_TRUE(DirectoryExists(dir.Folder() + "Relatorio"));
  EXPECT_FALSE(FileExists(""));
}
