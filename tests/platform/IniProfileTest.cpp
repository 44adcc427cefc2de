#include "IniProfile.h"

#include "TempDir.h"

#include <gtest/gtest.h>

using namespace platform;

// Each case is a file of its own: on Windows the system's profile functions read it.
TEST(IniProfile, ReadsWithTheProfileFileRules) {
  testing_support::TempDir dir;
  struct Case {
    const char* name;
    std::string content;
    const char* key;
    std::string expected;
  } cases[] = {
      {"plain", "[Servidor]\nLocal Exe=\\\\srv\\norvane\n", "Local Exe", "\\\\srv\\norvane"},
      {"absent key gives default", "[Servidor]\nurl=x\n", "Painel", "<default>"},
      {"present empty key gives empty", "[Servidor]\nChecagem=\n", "Checagem", ""},
      {"section name case", "[SERVIDOR]\nurl=a\n", "url", "a"},
      {"key name case", "[Servidor]\nLOCAL exe=b\n", "Local Exe", "b"},
      {"blanks around section, key, value", "  [ Servidor ]  \n\t Local Exe \t=  c d  \n",
       "Local Exe", "c d"},
      {"one pair of double quotes", "[Servidor]\nurl=\"  http://x \"\n", "url", "  http://x "},
      {"one pair of single quotes", "[Servidor]\nurl='a'\n", "url", "a"},
      {"only one pair removed", "[Servidor]\nurl=\"\"a\"\"\n", "url", "\"a\""},
      {"unmatched quote kept", "[Servidor]\nurl=\"a\n", "url", "\"a"},
      {"first match wins", "[Servidor]\nurl=1\nURL=2\n[servidor]\nurl=3\n", "url", "1"},
      {"other section ignored", "[Outro]\nurl=1\n[Servidor]\n", "url", "<default>"},
      {"key before any section", "url=1\n[Servidor]\n", "url", "<default>"},
      {"CR LF lines", "[Servidor]\r\nurl=x\r\nPainel=y\r\n", "Painel", "y"},
      {"equals inside the value", "[Servidor]\nurl=http://h/?a=b\n", "url", "http://h/?a=b"},
      {"commented key is another key", "[Servidor]\n;url=x\n", "url", "<default>"},
      {"line without equals: a key without value, read as absent", "[Servidor]\nurl\nurl=z\n",
       "url", "<default>"},
      {"line without equals names only itself", "[Servidor]\nurl\nPainel=p\n", "Painel", "p"},
      {"UTF-8 byte order mark", "\xEF\xBB\xBF[Servidor]\nurl=Ação\n", "url", "Ação"},
      {"UTF-8 without a mark, as editors save it", "[Servidor]\r\nLocal Exe=Z:\\Instalação\r\n",
       "Local Exe", "Z:\\Instalação"},
      {"value cut at 2047", "[Servidor]\nurl=" + std::string(5000, 'v') + "\n", "url",
       std::string(2047, 'v')},
      {"cut counts characters", "[Servidor]\nurl=" + std::string(2046, 'v') + "ção\n", "url",
       std::string(2046, 'v') + "ç"},
      {"ANSI bytes read as Windows-1252", "[Servidor]\nurl=Relat\xF3rio\n", "url",
       "Relat\xC3\xB3rio"},
      {"binary noise", std::string("\0\xFF\xFE\x01[Servidor\0]\n\x80=\x81\n", 20), "url",
       "<default>"},
      {"empty file", "", "url", "<default>"},
  };
  int index = 0;
  for (const auto& c : cases) {
    const auto file = dir.Write(std::to_string(++index) + ".ini", c.content);
    const auto profile = TIniProfile::Load(file.string());
    EXPECT_EQ(profile.ReadString("Servidor", c.key, "<default>"), c.expected) << c.name;
  }
}

TEST(IniProfile, LoadsFilesOfAnySizeAndEncoding) {
  testing_support::TempDir dir;
  EXPECT_EQ(TIniProfile::Load((dir / "missing.ini").string()).ReadString("Servidor", "url", "d"),
            "d");
  EXPECT_EQ(TIniProfile::Load(dir.Path().string()).ReadString("Servidor", "url", "d"), "d");

  // A huge single line costs a bounded buffer, and the keys after it are still found.
  std::string huge = "[Servidor]\njunk=" + std::string(20 * 1024 * 1024, 'x') + "\nurl=after\n";
  dir.Write("huge.ini", huge);
  EXPECT_EQ(TIniProfile::Load((dir / "huge.ini").string()).ReadString("Servidor", "url", "d"),
            "after");

  const std::u16string text = u"[Servidor]\r\nLocal Exe=\\\\srv\\ação\r\n";
  std::string utf16 = "\xFF\xFE";
  for (char16_t c : text) {
    utf16 += static_cast<char>(c & 0xFF);
    utf16 += static_cast<char>(c >> 8);
  }
  dir.Write("utf16.ini", utf16);
  EXPECT_EQ(
      TIniProfile::Load((dir / "utf16.ini").string()).ReadString("servidor", "local exe", "d"),
      "\\\\srv\\ação");
}
