#include "Iso8601.h"

#include "Errors.h"

#include <optional>
#include <string>

namespace {
using platform::EError;

[[noreturn]] void InvalidDate(std::string_view part) {
  throw EError("Invalid date string: " + std::string(part));
}
[[noreturn]] void InvalidTime(std::string_view part) {
  throw EError("Invalid time string: " + std::string(part));
}

// Reads exactly `count` digits from the front of `text`.
std::optional<int> TakeDigits(std::string_view& text, std::size_t count) {
  if (text.size() < count)
    return std::nullopt;
  int value = 0;
  for (std::size_t i = 0; i < count; ++i) {
    if (text[i] < '0' || text[i] > '9')
      return std::nullopt;
    value = value * 10 + (text[i] - '0');
  }
  text.remove_prefix(count);
  return value;
}

bool TakeChar(std::string_view& text, char c) {
  if (text.empty() || text.front() != c)
    return false;
  text.remove_prefix(1);
  return true;
}

// YYYY-MM-DD or YYYYMMDD; days since 1899-12-30.
std::int64_t ReadDate(std::string_view part) {
  if (part.size() < 4)
    InvalidDate(part);
  std::string_view rest = part;
  const auto year = TakeDigits(rest, 4);
  const bool hyphens = TakeChar(rest, '-');
  const auto month = TakeDigits(rest, 2);
  if (hyphens && !TakeChar(rest, '-'))
    InvalidDate(part);
  const auto day = TakeDigits(rest, 2);
  if (!year || !month || !day || !rest.empty() || !platform::IsValidDate(*year, *month, *day))
    InvalidDate(part);
  return platform::DaysFromCivil(*year, *month, *day);
}

// Reads "hh:mm" or "hhmm" (the minutes optional for an offset).
std::optional<int> ReadClockMinutes(std::string_view& rest, bool minutesOptional) {
  const auto hours = TakeDigits(rest, 2);
  if (!hours)
    return std::nullopt;
  if (rest.empty() && minutesOptional)
    return *hours * 60;
  TakeChar(rest, ':');
  const auto minutes = TakeDigits(rest, 2);
  if (!minutes || *minutes > 59)
    return std::nullopt;
  return *hours * 60 + *minutes;
}

// hh:mm:ss[.fff][Z|±hh:mm|±hhmm|±hh]; milliseconds from midnight, UTC, may pass one day.
std::int64_t ReadTime(std::string_view part) {
  std::string_view rest = part;
  const auto hour = TakeDigits(rest, 2);
  const bool colons = TakeChar(rest, ':');
  const auto minute = TakeDigits(rest, 2);
  if (colons && !TakeChar(rest, ':'))
    InvalidTime(part);
  const auto second = TakeDigits(rest, 2);
  if (!hour || !minute || !second || *hour > 24 || *minute > 59 || *second > 60)
    InvalidTime(part);
  int ms = 0;
  if (TakeChar(rest, '.') || TakeChar(rest, ',')) {
    int digits = 0;
    while (!rest.empty() && rest.front() >= '0' && rest.front() <= '9') {
      if (digits < 3)
        ms = ms * 10 + (rest.front() - '0');
      ++digits;
      rest.remove_prefix(1);
    }
    if (digits == 0)
      InvalidTime(part);
    for (; digits < 3; ++digits)
      ms *= 10;
  }
  // Hour 24 and second 60 simply count on into the next day or minute.
  std::int64_t total = ((std::int64_t{*hour} * 60 + *minute) * 60 + *second) * 1000 + ms;
  if (rest.empty() || (rest == "Z"))
    return total;
  const char sign = rest.front();
  if (sign != '+' && sign != '-')
    InvalidTime(part);
  rest.remove_prefix(1);
  const auto offset = ReadClockMinutes(rest, true);
  if (!offset || *offset >= 24 * 60 || !rest.empty())
    InvalidTime(part);
  return total - (sign == '+' ? 1 : -1) * std::int64_t{*offset} * 60'000;
}
} // namespace

platform::TDateTime ISO8601ToDate(std::string_view text) {
  const auto t = text.find('T');
  const std::string_view datePart = text.substr(0, t);
  const std::int64_t days = ReadDate(datePart);
  std::int64_t ms = 0;
  if (t != std::string_view::npos)
    ms = ReadTime(text.substr(t + 1));
  return platform::MSecsToDateTime(days * platform::MSecsPerDay + ms);
}
