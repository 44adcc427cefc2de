#include "TextCase.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(AnsiUpperCase, UpperCasesLinguistically) {
  struct Case {
    const char *locale, *text, *expected;
  } cases[] = {
      {"pt_BR", "central.ini", "CENTRAL.INI"},
      {"pt_BR", "Relatorio\\ficha.rav", "RELATORIO\\FICHA.RAV"},
      {"pt_BR", "relatório\\ação.rav", "RELATÓRIO\\AÇÃO.RAV"},
      {"pt_BR", "", ""},
      {"en_US", "i.dll", "I.DLL"},
      {"tr_TR", "i.dll", "\xC4\xB0.DLL"}, // dotted capital I
      {"el_GR", "αβγ", "ΑΒΓ"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(AnsiUpperCase(c.text, c.locale), c.expected) << c.locale << " " << c.text;
}

TEST(AnsiUpperCase, UserLocaleHandlesAsciiAndAccents) {
  EXPECT_EQ(AnsiUpperCase("qtintf70.dll"), "QTINTF70.DLL");
  EXPECT_EQ(AnsiUpperCase("ImgAldeno1.jpg"), AnsiUpperCase("IMGALDENO1.JPG"));
  EXPECT_EQ(AnsiUpperCase("é"), "É");
}
