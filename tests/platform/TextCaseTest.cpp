#include "TextCase.h"

#include "Charset.h"

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
      {"tr_TR", "\xC4\xB1.dll", "I.DLL"}, // dotless i
      // One character for one: names that differ stay apart, and no length changes.
      {"de_DE", "Maße.rav", "MAßE.RAV"},
      {"pt_BR",
       "\xEF\xAC\x81"
       "cha.rav",
       "\xEF\xAC\x81"
       "CHA.RAV"},                         // the ligature fi
      {"pt_BR", "\xC5\x89n", "\xC5\x89N"}, // n preceded by apostrophe
      // Bytes that are not UTF-8 (a Latin-1 name) stay as they are.
      {"pt_BR", "caf\xe9.rav", "CAF\xe9.RAV"},
      {"pt_BR", "caf\xe8.rav", "CAF\xe8.RAV"},
      {"pt_BR",
       "a\xC3\xA9\xC3"
       "b\xED\xA0\x80"
       "c",
       "A\xC3\x89\xC3"
       "B\xED\xA0\x80"
       "C"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(AnsiUpperCase(c.text, c.locale), c.expected) << c.locale << " " << c.text;
}

TEST(AnsiUpperCase, UserLocaleHandlesAsciiAndAccents) {
  EXPECT_EQ(AnsiUpperCase("qtintf70.dll"), "QTINTF70.DLL");
  EXPECT_EQ(AnsiUpperCase("ImgAldeno1.jpg"), AnsiUpperCase("IMGALDENO1.JPG"));
  EXPECT_EQ(AnsiUpperCase("é"), "É");
}

TEST(ValidUtf8Length, CountsTheWellFormedLeadingBytes) {
  EXPECT_EQ(ValidUtf8Length("Relatório.rav"), std::string("Relatório.rav").size());
  EXPECT_EQ(ValidUtf8Length("caf\xe9.rav"), 3u);
  EXPECT_EQ(ValidUtf8Length("ab\xED\xA0\x80"), 2u); // an encoded surrogate is not UTF-8
  EXPECT_EQ(ValidUtf8Length(""), 0u);
  struct Case {
    const char* text;
    std::size_t valid;
  } cases[] = {
      {"\xC0\xAF", 0},              // an overlong '/'
      {"a\xE0\x80\x80", 1},        // an overlong NUL
      {"\xF0\x9F\x98\x80!", 5},   // four bytes, then ASCII
      {"\xF4\x90\x80\x80", 0},    // past U+10FFFF
      {"ab\xE2\x82", 2},            // cut short
      {"\xE2\x82\xAC\xBF", 3},    // a stray continuation byte
  };
  for (const auto& c : cases)
    EXPECT_EQ(ValidUtf8Length(c.text), c.valid) << c.text;
}

TEST(RepairUtf8, EachIllFormedPartBecomesOneReplacement) {
  const std::string r = "\xEF\xBF\xBD";
  struct Case {
    std::string text, repaired;
  } cases[] = {
      {"Relatório.rav", "Relatório.rav"},
      {"caf\xE9.rav", "caf" + r + ".rav"},
      {"a\xE2\x82x", "a" + r + "x"},      // a cut three-byte form is one part
      {"\xF0\x9F\x98", r},                // so is one cut at the end
      {"\xC0\xAF", r + r},                 // an overlong form is two
      {"\xED\xA0\x80.", r + r + r + "."}, // an encoded surrogate is three
  };
  for (const auto& c : cases)
    EXPECT_EQ(RepairUtf8(c.text), c.repaired) << c.text;
}

TEST(Cp1252ToUtf8, ReadsTheWindowsWesternCodePage) {
  EXPECT_EQ(Cp1252ToUtf8("Relat\xF3rio \x80 \x93x\x94"), "Relatório € “x”");
  EXPECT_EQ(Utf16LeToUtf8(std::string("A\0\xE7\0=\xD8\x00\xDE\0\xD8", 9)), "Aç😀");
}

TEST(CharsetToUtf8, ReadsTheCharsetsServersName) {
  struct Case {
    std::string charset, bytes, text;
  } cases[] = {
      {"ISO-8859-1", "Relat\xF3rio", "Relatório"},
      {"windows-1252", "\x80 \x93x\x94", "€ “x”"},
      {"UTF-16LE", std::string("a\0\xE7\0", 4), "aç"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(CharsetToUtf8(c.bytes, c.charset).value_or("?"), c.text) << c.charset;
  EXPECT_FALSE(CharsetToUtf8("x", "no-such-charset"));
}
