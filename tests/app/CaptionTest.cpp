#include "Caption.h"
#include "SupportActions.h"

#include "Installation.h"

#include <gtest/gtest.h>

TEST(Caption, ShowsMinutesSecondsAndMillisecondsOfTheUpdate) {
  const std::pair<std::int64_t, const char*> cases[] = {
      {0, "00:00.000"},       {3500, "00:03.500"},     {59999, "00:59.999"},
      {60000, "01:00.000"},   {3723456, "02:03.456"},  {3600000, "00:00.000"},
      {-5, "00:00.000"}};
  for (const auto& [ms, text] : cases)
    EXPECT_EQ(FormatElapsed(ms), text) << ms;
  EXPECT_EQ(UpdateCaption(3500), "Norvane - Marund Tempo do update : 00:03.500");
}

TEST(SupportActions, MailResultsHaveTheirTexts) {
  EXPECT_EQ(MailResultText(1), "The user canceled one of the dialog boxes; no message was sent.");
  EXPECT_EQ(MailResultText(18),
            "The text in the message was too large to sent; the message was not sent.");
  EXPECT_EQ(MailResultText(4), "");
  EXPECT_EQ(MailResultText(0), "");
}

TEST(SupportActions, CopiesTheToolOnlyWhenItDiffersAtTwoSeconds) {
  using namespace testing_support;
  const std::string tool = "TeamViewerQS_pt.exe";
  struct Case {
    const char* name;
    std::optional<platform::TDateTime> central, local;
    bool copy, localKept;
  } cases[] = {
      {"no central tool", std::nullopt, Age(1), false, true},
      {"no local tool", Age(1), std::nullopt, true, false},
      {"same time", Age(1, 10, 0), Age(1, 10, 0), false, true},
      {"within two seconds", platform::EncodeDateTime({2026, 11, 1, 10, 30, 14, 0}),
       platform::EncodeDateTime({2026, 11, 1, 10, 30, 15, 900}), false, true},
      {"different", Age(2), Age(1), true, false},
  };
  for (const auto& c : cases) {
    TempDir central, local;
    if (c.central)
      Place(central, tool, "central", *c.central);
    if (c.local)
      Place(local, tool, "local", *c.local);
    EXPECT_EQ(PrepareSupportCopy(central.Folder(), local.Folder(), tool), c.copy) << c.name;
    EXPECT_EQ(std::filesystem::exists(local / tool), c.localKept) << c.name;
  }
}
