#include "Process.h"

#include "TempDir.h"

#include <chrono>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <thread>

using namespace platform;
using namespace std::chrono_literals;

namespace {
bool WaitForFile(const std::filesystem::path& path) {
  for (int i = 0; i < 500 && !std::filesystem::exists(path); ++i)
    std::this_thread::sleep_for(10ms);
  return std::filesystem::exists(path);
}

std::filesystem::path Script(const testing_support::TempDir& dir, const std::string& name,
                             const std::string& body) {
  const auto path = dir.Write(name, "#!/bin/sh\n" + body + "\n");
  std::filesystem::permissions(path, std::filesystem::perms::owner_all);
  return path;
}
} // namespace

TEST(StartProgram, StartsThePathAloneInOurFolderWithOurEnvironment) {
  testing_support::TempDir dir;
  const auto marker = dir / "marker";
  setenv("NORVANE_PROCESS_TEST", "inherited", 1);
  const auto script = Script(dir, "Module With Space.exe",
                             "echo \"$# $NORVANE_PROCESS_TEST $(pwd)\" > '" + marker.string() + "'");
  TProcessInformation info;
  ASSERT_TRUE(StartProgram(script.string(), TStartupInfo::NormalWindow(), info));
  EXPECT_GT(info.ProcessId, 0);
  ASSERT_TRUE(WaitForFile(marker));
  std::this_thread::sleep_for(50ms);
  EXPECT_EQ(testing_support::ReadAll(marker),
            "0 inherited " + std::filesystem::current_path().string() + "\n");
}

TEST(StartProgram, FailsForWhatCannotRun) {
  testing_support::TempDir dir;
  dir.Write("plain.exe", "not a program");
  TProcessInformation info;
  EXPECT_FALSE(StartProgram((dir / "missing.exe").string(), TStartupInfo::NormalWindow(), info));
  EXPECT_FALSE(StartProgram((dir / "plain.exe").string(), TStartupInfo::NormalWindow(), info));
  EXPECT_FALSE(StartProgram(dir.Path().string(), TStartupInfo::NormalWindow(), info));
  EXPECT_EQ(info.ProcessId, 0);
}

TEST(StartProgram, LeavesNoChildToReap) {
  testing_support::TempDir dir;
  const auto script = Script(dir, "quick.exe", "exit 3");
  TProcessInformation info;
  ASSERT_TRUE(StartProgram(script.string(), TStartupInfo::NormalWindow(), info));
  std::this_thread::sleep_for(100ms);
  errno = 0;
  EXPECT_EQ(waitpid(-1, nullptr, WNOHANG), -1);
  EXPECT_EQ(errno, ECHILD);
}

TEST(StartProgram, StartupRecordMeansANormalWindow) {
  const TStartupInfo info = TStartupInfo::NormalWindow();
  EXPECT_EQ(info.Size, sizeof(TStartupInfo));
  EXPECT_EQ(info.Flags, 1u);
  EXPECT_EQ(info.ShowWindow, 1u);
}
