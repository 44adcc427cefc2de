#include "FolderSource.h"

#include "Errors.h"
#include "FileSizeLimit.h"
#include "Installation.h"
#include "ReplacementFile.h"

#include <csignal>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace testing_support;

TEST(FolderSource, ListsTheWholeTreeWithRelativeNames) {
  TempDir central, local;
  Place(central, "central.ini", "x", Age(1));
  Place(central, ".hidden", "x", Age(2));
  Place(central, "Relatorio\\Ficha.rav", "x", Age(3));
  Place(central, "a\\b\\c\\Fundo.rav", "x", Age(4));
  Place(central, "Relatório\\ação.rav", "x", Age(5));
  std::filesystem::create_directory(central / "empty");
  std::filesystem::create_directory_symlink(central.Path(), central / "a/loop");
  std::filesystem::create_directory_symlink("Relatorio", central / "b"); // a second name

  for (const std::string& root : {central.Folder(), central.Path().string(),
                                  central.Path().string() + "/\\"}) {
    TRemoteList list;
    TFolderSource(local.Folder(), root).FillRemoteListFromFolder(list);
    EXPECT_EQ(list.Count(), 6u) << root;
    const struct {
      const char *key, *name;
      int day;
    } expected[] = {{"CENTRAL.INI", "central.ini", 1},
                    {".HIDDEN", ".hidden", 2},
                    {"RELATORIO\\FICHA.RAV", "Relatorio\\Ficha.rav", 3},
                    {"B\\FICHA.RAV", "b\\Ficha.rav", 3},
                    {"A\\B\\C\\FUNDO.RAV", "a\\b\\c\\Fundo.rav", 4},
                    {"RELATÓRIO\\AÇÃO.RAV", "Relatório\\ação.rav", 5}};
    for (const auto& e : expected) {
      const auto found = list.Find(e.key);
      ASSERT_TRUE(found) << e.key;
      EXPECT_EQ(found->FileName(), e.name);
      EXPECT_EQ(found->Age(), Age(e.day));
    }
  }
}

TEST(FolderSource, CopiesWithTheCentralTimeAndOnlyPermissionBits) {
  const struct {
    const char *Central, *Local;
    unsigned Mode, Expected;
  } cases[] = {
      {"SUPERVISOR.EXE", "Supervisor.exe", 0755, 0755},
      {"Treasury.exe", "Treasury.exe", 0644, 0755}, // a program whatever its central mode
      {"Devices.EXE", "Devices.EXE", 0640, 0750},
      {"setuid.exe", "setuid.exe", 06755, 0755}, // never set-user-ID or set-group-ID
      {"central.ini", "central.ini", 02644, 0644},
      {"notes.exe.txt", "notes.exe.txt", 0644, 0644},
  };
  for (const auto& c : cases) {
    TempDir central, local;
    const auto source = Place(central, c.Central, "#!/bin/sh\n", Age(7));
    ASSERT_EQ(chmod(source.c_str(), c.Mode), 0);
    EXPECT_TRUE(TFolderSource(local.Folder(), central.Folder())
                    .UpdateFileFromFolder({c.Local, c.Central, Age(7)}));
    const auto copy = local / c.Local;
    EXPECT_EQ(ReadAll(copy), "#!/bin/sh\n");
    EXPECT_EQ(AgeOf(copy), Age(7));
    struct stat st {};
    ASSERT_EQ(stat(copy.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, c.Expected) << c.Local;
  }
}

TEST(FolderSource, NamesThatUpperCaseAlikeOnlyByFullMappingOrBadBytesStayApart) {
  TempDir central, local;
  for (const char* name : {"Maße.rav", "MASSE.rav", "caf\xe9.rav", "caf\xe8.rav"})
    Place(central, name, name, Age(2));
  TRemoteList list;
  TFolderSource(local.Folder(), central.Folder()).FillRemoteListFromFolder(list);
  EXPECT_EQ(list.Count(), 4u);
  ASSERT_TRUE(list.Find("MAßE.RAV"));
  ASSERT_TRUE(list.Find("CAF\xe9.RAV"));
  EXPECT_EQ(list.Find("CAF\xe9.RAV")->FileName(), "caf\xe9.rav");
}

TEST(FolderSource, AFailedCopyKeepsTheWorkingCopy) {
  TempDir central, local;
  Place(local, "Treasury.exe", "working copy", Age(1));
  TFolderSource source(local.Folder(), central.Folder());
  try {
    source.UpdateFileFromFolder({"Treasury.exe", "Treasury.exe", Age(2)}); // gone centrally
    FAIL() << "no error";
  } catch (const platform::EOSError& e) {
    EXPECT_STREQ(e.what(), "No such file or directory");
  }
  EXPECT_EQ(ReadAll(local / "Treasury.exe"), "working copy");
  EXPECT_EQ(AgeOf(local / "Treasury.exe"), Age(1));
  EXPECT_FALSE(std::filesystem::exists(local / "Treasury.exe.norvane-part"));
}

TEST(FolderSource, AKilledCopyLeavesNoPartialFileAndTheNextFetchCleansUp) {
  TempDir central, local;
  Place(central, "Bedside.exe", std::string(1 << 20, 'n'), Age(8));
  Place(local, "Bedside.exe", "working copy", Age(1));
  const pid_t child = fork();
  if (child == 0) { // a fetch that dies half-way through writing
    platform::TReplacementFile replacement((local / "Bedside.exe").string());
    (void)!write(int(replacement.Handle()), "half", 4);
    kill(getpid(), SIGKILL);
  }
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_TRUE(WIFSIGNALED(status));
  EXPECT_EQ(ReadAll(local / "Bedside.exe"), "working copy");
  EXPECT_TRUE(std::filesystem::exists(local / "Bedside.exe.norvane-part"));

  TFolderSource(local.Folder(), central.Folder())
      .UpdateFileFromFolder({"Bedside.exe", "Bedside.exe", Age(8)});
  EXPECT_EQ(ReadAll(local / "Bedside.exe"), std::string(1 << 20, 'n'));
  EXPECT_FALSE(std::filesystem::exists(local / "Bedside.exe.norvane-part"));
}

TEST(FolderSource, AFolderInTheWayOfTheLocalFileFailsAndStays) {
  TempDir central, local;
  Place(central, "Devices.exe", "new", Age(9));
  std::filesystem::create_directories(local / "Devices.exe/inside");
  EXPECT_THROW(TFolderSource(local.Folder(), central.Folder())
                   .UpdateFileFromFolder({"Devices.exe", "Devices.exe", Age(9)}),
               platform::EOSError);
  EXPECT_TRUE(std::filesystem::exists(local / "Devices.exe/inside"));
  EXPECT_FALSE(std::filesystem::exists(local / "Devices.exe.norvane-part"));
}

TEST(FolderSource, ADiskThatFillsUpDuringTheCopyKeepsTheWorkingCopy) {
  TempDir central, local;
  Place(central, "Inventory.exe", std::string(4 << 20, 'i'), Age(6));
  Place(local, "Inventory.exe", "working copy", Age(1));
  {
    FileSizeLimit full(1 << 20);
    EXPECT_THROW(TFolderSource(local.Folder(), central.Folder())
                     .UpdateFileFromFolder({"Inventory.exe", "Inventory.exe", Age(6)}),
                 platform::EOSError);
  }
  EXPECT_EQ(ReadAll(local / "Inventory.exe"), "working copy");
  EXPECT_FALSE(std::filesystem::exists(local / "Inventory.exe.norvane-part"));
}
