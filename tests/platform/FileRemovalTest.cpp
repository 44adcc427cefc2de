#include "FileRemoval.h"

#include "Errors.h"
#include "Paths.h"
#include "TempDir.h"

#include <cstring>
#include <gtest/gtest.h>

using namespace platform;

namespace {
std::string ErrorOf(const std::string& path) {
  try {
    StrictDeleteFile(path);
    return "";
  } catch (const EError& e) {
    return e.what();
  }
}
} // namespace

TEST(StrictDeleteFile, ReportsEachFailureWithItsMessage) {
  testing_support::TempDir dir;
  const std::string folder = dir.Folder();
  struct Case {
    std::string path, expected;
  } cases[] = {
      {folder + std::string(260, 'a'), "The specified path is too long"},
      {std::string(259 - 2, 'b') + "/x", "The specified path was not found"},
      {"", "Invalid characters in path"},
      {"   ", "Invalid characters in path"},
      {folder + "a|b.exe", "Invalid characters in path"},
      {folder + "a\x07.exe", "Invalid characters in path"},
      {folder + "missing\\a.exe", "The specified path was not found"},
      {folder + "a.exe", std::strerror(ENOENT)},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ErrorOf(c.path), c.expected) << c.path.substr(0, 60);
}

TEST(StrictDeleteFile, RemovesAnExistingFileByItsProgramFormName) {
  testing_support::TempDir dir;
  const auto file = dir.Write("Relatorio/a.rav", "x");
  EXPECT_EQ(ErrorOf(dir.Folder() + "Relatorio\\a.rav"), "");
  EXPECT_FALSE(std::filesystem::exists(file));
}

TEST(StrictDeleteFile, OtherFailuresAreSilent) {
  testing_support::TempDir dir;
  std::filesystem::create_directory(dir / "folder");
  EXPECT_EQ(ErrorOf(dir.Folder() + "folder"), ""); // a folder is not deleted, and not reported
  EXPECT_TRUE(std::filesystem::exists(dir / "folder"));
}

TEST(StrictDeleteFile, DeniedAccessGivesTheSystemsMessage) {
  if (geteuid() == 0)
    GTEST_SKIP() << "root may delete anything";
  testing_support::TempDir dir;
  dir.Write("locked/a.exe", "x");
  std::filesystem::permissions(dir / "locked", std::filesystem::perms::owner_read |
                                                   std::filesystem::perms::owner_exec);
  EXPECT_EQ(ErrorOf(dir.Folder() + "locked\\a.exe"), std::strerror(EACCES));
}
