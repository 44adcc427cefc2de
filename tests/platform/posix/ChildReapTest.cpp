#include "Process.h"

#include "TempDir.h"

#include <cerrno>
#include <chrono>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <thread>

using namespace platform;

// POSIX leaves an ended child for its parent to reap; a launcher running all day must not
// collect them. (Windows has no such thing.)
TEST(StartProgram, LeavesNoChildToReap) {
  testing_support::TempDir dir;
  const auto script = dir.Write("quick.exe", "#!/bin/sh\nexit 3\n");
  std::filesystem::permissions(script, std::filesystem::perms::owner_all);
  TProcessInformation info;
  ASSERT_TRUE(StartProgram(script.string(), TStartupInfo::NormalWindow(), info));
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  errno = 0;
  EXPECT_EQ(waitpid(-1, nullptr, WNOHANG), -1);
  EXPECT_EQ(errno, ECHILD);
}
