#include "Iso8601.h"

#include "Errors.h"

#include <gtest/gtest.h>

using platform::DateTimeParts;
using platform::EncodeDateTime;

TEST(ISO8601ToDate, ReadsEveryFormAsUtcClockTime) {
  struct Case {
    const char* text;
    DateTimeParts expected;
  } cases[] = {
      {"2026-12-10T14:05:09Z", {2026, 12, 10, 14, 5, 9, 0}},
      {"2026-12-10T14:05:09", {2026, 12, 10, 14, 5, 9, 0}},
      {"2026-12-10T14:05:09.123Z", {2026, 12, 10, 14, 5, 9, 123}},
      {"2026-12-10T14:05:09.1Z", {2026, 12, 10, 14, 5, 9, 100}},
      {"2026-12-10T14:05:09.123456Z", {2026, 12, 10, 14, 5, 9, 123}},
      {"20261210T140509Z", {2026, 12, 10, 14, 5, 9, 0}},
      {"2026-12-10", {2026, 12, 10, 0, 0, 0, 0}},
      {"20261210", {2026, 12, 10, 0, 0, 0, 0}},
      {"2026-12-10T10:00:00-03:00", {2026, 12, 10, 13, 0, 0, 0}},
      {"2026-12-10T10:00:00+02:00", {2026, 12, 10, 8, 0, 0, 0}},
      {"2026-12-10T10:00:00+0230", {2026, 12, 10, 7, 30, 0, 0}},
      {"2026-12-10T10:00:00.250-03", {2026, 12, 10, 13, 0, 0, 250}},
      {"2026-12-10T22:00:00-03:00", {2026, 12, 11, 1, 0, 0, 0}},   // into the next day
      {"2026-01-01T01:00:00+02:00", {2025, 12, 31, 23, 0, 0, 0}},  // into the last year
      {"2026-12-31T24:00:00Z", {2027, 1, 1, 0, 0, 0, 0}},         // hour 24
      {"2026-12-31T23:59:60Z", {2027, 1, 1, 0, 0, 0, 0}},         // second 60
      {"2024-02-28T24:00:00", {2024, 2, 29, 0, 0, 0, 0}},
      {"1899-12-30T00:00:00Z", {1899, 12, 30, 0, 0, 0, 0}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ISO8601ToDate(c.text), EncodeDateTime(c.expected)) << c.text;
}

TEST(ISO8601ToDate, RejectsWhatItCannotRead) {
  struct Case {
    const char *text, *message;
  } cases[] = {
      {"", "Invalid date string: "},
      {"20", "Invalid date string: 20"},
      {"T", "Invalid date string: "},
      {"T10:00:00", "Invalid date string: "},
      {"2026-13-45T25:61:61Z", "Invalid date string: 2026-13-45"},
      {"2026-02-30", "Invalid date string: 2026-02-30"},
      {"2026-1-1", "Invalid date string: 2026-1-1"},
      {"2026-12-10x", "Invalid date string: 2026-12-10x"},
      {"abcd-ef-gh", "Invalid date string: abcd-ef-gh"},
      {"2026-12-10T", "Invalid time string: "},
      {"2026-12-10T25:00:00Z", "Invalid time string: 25:00:00Z"},
      {"2026-12-10T10:61:00Z", "Invalid time string: 10:61:00Z"},
      {"2026-12-10T10:00:61Z", "Invalid time string: 10:00:61Z"},
      {"2026-12-10T10:00", "Invalid time string: 10:00"},
      {"2026-12-10T10:00:00.Z", "Invalid time string: 10:00:00.Z"},
      {"2026-12-10T10:00:00+25:00", "Invalid time string: 10:00:00+25:00"},
      {"2026-12-10T10:00:00 Z", "Invalid time string: 10:00:00 Z"},
      {"2026-12-10T10:00:00Zjunk", "Invalid time string: 10:00:00Zjunk"},
  };
  for (const auto& c : cases) {
    try {
      ISO8601ToDate(c.text);
      ADD_FAILURE() << "accepted " << c.text;
    } catch (const platform::EError& e) {
      EXPECT_STREQ(e.what(), c.message) << c.text;
    }
  }
}
