#include "MessageFormat.h"

#include "Errors.h"

#include <gtest/gtest.h>

TEST(FormatMessage, FormatsDirectivesInOrder) {
  EXPECT_EQ(FormatText("Módulo não instalado.\r\n%s", {std::string("/opt/n/Treasury.exe")}),
            "Módulo não instalado.\r\n/opt/n/Treasury.exe");
  EXPECT_EQ(FormatText("%d%% de %s", {7LL, std::string("x")}), "7% de x");
  EXPECT_EQ(FormatText("sem nada", {std::string("extra")}), "sem nada");
}

TEST(FormatMessage, RejectsFormatsThatDoNotFit) {
  struct Case {
    const char* format;
    std::vector<TFormatArg> args;
    const char* message;
  } cases[] = {
      {"%s", {}, "No argument for format '%s'"},
      {"%d", {std::string("x")}, "Format '%d' invalid or incompatible with argument"},
      {"%s", {5LL}, "Format '%s' invalid or incompatible with argument"},
      {"%x", {5LL}, "Format '%x' invalid or incompatible with argument"},
      {"50%", {}, "Format '50%' invalid or incompatible with argument"},
  };
  for (const auto& c : cases) {
    try {
      FormatText(c.format, c.args);
      ADD_FAILURE() << c.format;
    } catch (const platform::EError& e) {
      EXPECT_STREQ(e.what(), c.message);
    }
  }
}
