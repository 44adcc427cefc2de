#include "DateTime.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(DateTime, EncodesDayCountsAndTimeOfDay) {
  struct Case {
    DateTimeParts parts;
    double expected;
  } cases[] = {
      {{1899, 12, 30, 0, 0, 0, 0}, 0.0},
      {{1900, 1, 1, 0, 0, 0, 0}, 2.0},
      {{2000, 1, 1, 0, 0, 0, 0}, 36526.0},
      {{2000, 1, 1, 12, 0, 0, 0}, 36526.5},
      {{2000, 1, 1, 6, 0, 0, 0}, 36526.25},
      {{1899, 12, 29, 6, 0, 0, 0}, -1.25}, // before the epoch the time counts away from zero
  };
  for (const auto& c : cases)
    EXPECT_DOUBLE_EQ(EncodeDateTime(c.parts), c.expected) << c.parts.Year << "-" << c.parts.Day;
}

TEST(DateTime, EveryMillisecondOfADayDecodesToItself) {
  const std::int64_t day = DaysFromCivil(2026, 3, 29);
  for (std::int64_t ms = 0; ms < MSecsPerDay; ms += 997) {
    const TDateTime value = MSecsToDateTime(day * MSecsPerDay + ms);
    EXPECT_EQ(DateTimeToMSecs(value), day * MSecsPerDay + ms);
    EXPECT_EQ(EncodeDateTime(DecodeDateTime(value)), value);
  }
}

TEST(DateTime, CivilDatesRoundTripAcrossCenturies) {
  for (const auto& [y, m, d] : {std::tuple{1, 1, 1}, {1600, 2, 29}, {1900, 2, 28},
                               {2000, 2, 29}, {2026, 12, 31}, {9999, 12, 31}}) {
    const DateTimeParts p = CivilFromDays(DaysFromCivil(y, m, d));
    EXPECT_EQ(std::tuple(p.Year, p.Month, p.Day), std::tuple(y, m, d));
  }
}

TEST(DateTime, ValidatesCalendarDates) {
  EXPECT_TRUE(IsValidDate(2024, 2, 29));
  EXPECT_FALSE(IsValidDate(2023, 2, 29));
  EXPECT_FALSE(IsValidDate(1900, 2, 29));
  EXPECT_FALSE(IsValidDate(2026, 13, 1));
  EXPECT_FALSE(IsValidDate(2026, 4, 31));
  EXPECT_FALSE(IsValidDate(0, 1, 1));
}
