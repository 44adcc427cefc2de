#include "FileTimes.h"

#include "LocalZone.h"
#include "TempDir.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(FileTimes, SetThenReadGivesTheSameAgeToTheMillisecond) {
  testing_support::TLocalZone zone("Europe/Berlin");
  testing_support::TempDir dir;
  const auto file = dir.Write("a.dll", "x").string();
  const DateTimeParts cases[] = {
      {2026, 1, 15, 10, 20, 30, 123},  // winter time
      {2026, 7, 15, 10, 20, 30, 999},  // summer time
      {2026, 3, 29, 1, 59, 59, 1},     // just before the spring change
      {2026, 3, 29, 3, 0, 0, 0},       // just after it
      {2026, 10, 25, 3, 30, 0, 500},   // after the autumn change
      {1999, 12, 31, 23, 59, 59, 999}, // another century, other rules
      {2038, 6, 1, 0, 0, 0, 7},        // past 32-bit seconds
  };
  for (const auto& parts : cases) {
    const TDateTime age = EncodeDateTime(parts);
    ASSERT_TRUE(SetFileAge(file, age));
    EXPECT_EQ(GetFileAge(file), age) << parts.Month << "/" << parts.Day << " " << parts.Hour;
  }
}

TEST(FileTimes, MissingFilesAndFoldersHaveNoAge) {
  testing_support::TempDir dir;
  EXPECT_EQ(GetFileAge((dir / "missing.exe").string()), MissingAge);
  EXPECT_EQ(GetFileAge(dir.Path().string()), MissingAge);
  EXPECT_EQ(GetFileAge(""), MissingAge);
  EXPECT_FALSE(SetFileAge((dir / "missing.exe").string(), 46000.5));
}

TEST(FileTimes, ProgramFormPathsReachTheFile) {
  testing_support::TempDir dir;
  dir.Write("Relatorio/r.rav", "x");
  const std::string inside = dir.Folder() + "Relatorio\\r.rav";
  ASSERT_TRUE(SetFileAge(inside, 46000.25));
  EXPECT_EQ(GetFileAge(inside), 46000.25);
}
