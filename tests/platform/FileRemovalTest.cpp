#include "FileRemoval.h"

#include "Errors.h"
#include "Paths.h"
#include "SystemFailures.h"
#include "TempDir.h"

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
      {folder + "a.exe", testing_support::MissingFileMessage()},
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

TEST(StrictDeleteFile, AFolderIsNotDeleted) {
  testing_support::TempDir dir;
  std::filesystem::create_directory(dir / "folder");
  // Reported as each system's file deletion reports it: not at all here, denied on Windows.
  EXPECT_EQ(ErrorOf(dir.Folder() + "folder"), testing_support::FolderRemovalMessage());
  EXPECT_TRUE(std::filesystem::exists(dir / "folder"));
}

TEST(StrictDeleteFile, DeniedAccessGivesTheSystemsMessage) {
  testing_support::TempDir dir;
  if (!testing_support::DenyRemoval(dir.Write("locked/a.exe", "x")))
    GTEST_SKIP() << "this account may delete anything";
  EXPECT_EQ(ErrorOf(dir.Folder() + "locked\\a.exe"), testing_support::AccessDeniedMessage());
}
