#include "Process.h"

#include "Environment.h"
#include "ProbeProgram.h"
#include "TempDir.h"

#include <chrono>
#include <filesystem>
#include <gtest/gtest.h>
#include <thread>

using namespace platform;
using namespace std::chrono_literals;

namespace {
bool WaitForFile(const std::filesystem::path& path) {
  for (int i = 0; i < 1000 && !std::filesystem::exists(path); ++i)
    std::this_thread::sleep_for(10ms);
  std::this_thread::sleep_for(50ms); // written whole
  return std::filesystem::exists(path);
}

// The probe program, copied into `dir` under `name`.
std::filesystem::path Probe(const testing_support::TempDir& dir, const std::u8string& name) {
  const auto copy = dir.Path() / name;
  std::filesystem::copy_file(testing_support::ProbeProgram(), copy);
  return copy;
}
} // namespace

TEST(StartProgram, StartsThePathAloneInOurFolderWithOurEnvironment) {
  testing_support::TempDir dir;
  const auto marker = dir / "marker";
  testing_support::SetVariable("NORVANE_PROCESS_TEST", "inherited");
  testing_support::SetVariable("NORVANE_PROBE_MARKER", marker.string());
  const auto module = Probe(dir, u8"Módulo de Ação.exe"); // blanks and accents in the name
  TProcessInformation info;
  ASSERT_TRUE(StartProgram(testing_support::Utf8(module), TStartupInfo::NormalWindow(), info));
  EXPECT_GT(info.ProcessId, 0);
  ASSERT_TRUE(WaitForFile(marker));
  EXPECT_EQ(testing_support::ReadAll(marker),
            "0 inherited " + std::filesystem::current_path().string() + "\n");
  testing_support::SetVariable("NORVANE_PROBE_MARKER", "");
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

TEST(RunAndWait, GivesTheExitStatusOr127) {
  testing_support::TempDir dir;
  const std::string probe = testing_support::Utf8(Probe(dir, u8"probe.exe"));
  testing_support::SetVariable("NORVANE_PROBE_EXIT", "3");
  EXPECT_EQ(RunAndWait({probe, "an argument"}, 20s), 3);
  testing_support::SetVariable("NORVANE_PROBE_EXIT", "0");
  EXPECT_EQ(RunAndWait({probe}, 20s), 0);
  EXPECT_EQ(RunAndWait({testing_support::Utf8(dir / "missing.exe")}, 20s), 127);
}

TEST(StartProgram, StartupRecordMeansANormalWindow) {
  const TStartupInfo info = TStartupInfo::NormalWindow();
  EXPECT_EQ(info.Size, sizeof(TStartupInfo));
  EXPECT_EQ(info.Flags, 1u);
  EXPECT_EQ(info.ShowWindow, 1u);
}
