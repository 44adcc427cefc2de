#include "RemoteList.h"

#include "Errors.h"

#include <gtest/gtest.h>

#include <string>

namespace {
std::string Name(int i) {
  return "Pasta" + std::to_string(i % 97) + "\\arquivo" + std::to_string(i) + ".Dat";
}
std::string Key(int i) {
  return "PASTA" + std::to_string(i % 97) + "\\ARQUIVO" + std::to_string(i) + ".DAT";
}
} // namespace

TEST(RemoteList, FindsEveryNameByItsKeyThroughManyGrowths) {
  TRemoteList list;
  constexpr int Count = 5000; // the index starts small and doubles many times on the way
  for (int i = 0; i < Count; ++i)
    list.Add(Name(i), platform::TDateTime(i));
  ASSERT_EQ(list.Count(), std::size_t(Count));
  for (int i = 0; i < Count; ++i) {
    const auto found = list.Find(Key(i));
    ASSERT_TRUE(found) << Key(i);
    EXPECT_EQ(found->FileName(), Name(i));
    EXPECT_EQ(found->Age(), platform::TDateTime(i));
  }
  EXPECT_FALSE(list.Find(Name(7))) << "looked up by the upper-cased name only";
  EXPECT_FALSE(list.Find(Key(Count)));
}

TEST(RemoteList, ASecondSpellingOfANameIsRefusedAndChangesNothing) {
  TRemoteList list;
  for (int i = 0; i < 100; ++i)
    list.Add(Name(i), 1.0);
  try {
    list.Add("PASTA3\\ARQUIVO3.dat", 2.0);
    ADD_FAILURE() << "no error";
  } catch (const platform::EError& e) {
    EXPECT_STREQ(e.what(), "Duplicates not allowed");
  }
  EXPECT_EQ(list.Count(), 100u);
  EXPECT_EQ(list.Find(Key(3))->FileName(), Name(3));
  EXPECT_EQ(list.Find(Key(3))->Age(), 1.0);
  list.Add("novo.ini", 3.0); // the list goes on as before
  EXPECT_EQ(list.Find("NOVO.INI")->FileName(), "novo.ini");
  EXPECT_EQ(list.Find(Key(99))->FileName(), Name(99));
}

TEST(RemoteList, AnInstantBecomesTheLocalAgeWhenLookedUp) {
  TRemoteList list;
  const platform::TInstant written{1'796'950'679, 250'000'000};
  list.Add("Treasury.exe", written);
  EXPECT_EQ(list.Find("TREASURY.EXE")->Age(), platform::LocalAgeFromInstant(written));
}
