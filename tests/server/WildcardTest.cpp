#include "Wildcard.h"

#include <gtest/gtest.h>

TEST(MatchesMask, FollowsWindowsWildcards) {
  struct Case {
    const char *name, *mask;
    bool matches;
  } cases[] = {
      {"central.ini", "*.*", true},  {"README", "*.*", true},      {"a.dll", "*.DLL", true},
      {"a.dll", "*.exe", false},     {"a.dll", "?.dll", true},     {"ab.dll", "?.dll", false},
      {"Relatorio.rav", "rel*", true}, {"abc", "a*c", true},       {"abcbc", "a*bc", true},
      {"abd", "a*c", false},         {"", "*", true},              {"x", "", true},
  };
  for (const auto& c : cases)
    EXPECT_EQ(MatchesMask(c.name, c.mask), c.matches) << c.name << " ~ " << c.mask;
}
