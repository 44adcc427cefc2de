#include "DirectoryScan.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <stdexcept>

using namespace platform;

namespace {
// 40 folders, some nested four deep, with 25 files each: more folders than the scan has workers,
// so they are walked side by side.
std::map<std::string, int> MakeTree(const testing_support::TempDir& root) {
  std::map<std::string, int> expected;
  for (int folder = 0; folder < 40; ++folder) {
    std::string relative = "f";
    relative += std::to_string(folder);
    for (int depth = folder % 4; depth > 0; --depth) {
      relative += "\\d";
      relative += std::to_string(depth);
    }
    std::string native = relative;
    std::replace(native.begin(), native.end(), '\\', '/');
    for (int file = 0; file < 25; ++file) {
      const std::string name = "arquivo" + std::to_string(file) + ".dat";
      root.Write(native + '/' + name, "x");
      expected[relative + '\\' + name] = 0;
    }
  }
  return expected;
}

// The process's open descriptors where the system lists them (Linux); 0 elsewhere (under Wine,
// /proc is the Wine server's view and changes on its own).
std::size_t OpenDescriptors() {
  std::error_code none;
  const std::filesystem::path fds = "/proc/self/fd";
  return std::filesystem::path::preferred_separator == '/' && std::filesystem::exists(fds, none)
             ? std::size_t(std::distance(std::filesystem::directory_iterator(fds), {}))
             : 0;
}
} // namespace

TEST(DirectoryScan, ListsEveryFileOfAWideAndDeepTreeOnce) {
  testing_support::TempDir root;
  std::map<std::string, int> seen = MakeTree(root);
  const std::size_t expected = seen.size();
  std::size_t calls = 0;
  ScanFiles(root.Folder(), [&](std::string_view relative, const TInstant&) {
    ++calls;
    ++seen[std::string(relative)];
  });
  EXPECT_EQ(calls, expected);
  for (const auto& [name, count] : seen)
    EXPECT_EQ(count, 1) << name;
}

TEST(DirectoryScan, AnErrorOfTheReceiverEndsTheScanAndReachesTheCaller) {
  testing_support::TempDir root;
  MakeTree(root);
  const std::size_t before = OpenDescriptors();
  for (const std::size_t failAt : {std::size_t(1), std::size_t(500), std::size_t(1000)}) {
    std::size_t calls = 0;
    try {
      ScanFiles(root.Folder(), [&](std::string_view, const TInstant&) {
        if (++calls == failAt)
          throw std::runtime_error("Duplicates not allowed");
      });
      ADD_FAILURE() << "no error at " << failAt;
    } catch (const std::runtime_error& e) {
      EXPECT_STREQ(e.what(), "Duplicates not allowed");
    }
    EXPECT_EQ(calls, failAt) << "the receiver is not called again after it failed";
    EXPECT_EQ(OpenDescriptors(), before) << "no folder is left open";
  }
}
