#include "UrlEncoding.h"

#include "Errors.h"

#include <gtest/gtest.h>

TEST(UrlEncoding, FormsTheListingURL) {
  struct Case {
    const char *base, *folder, *mask;
    bool recursive;
    const char* expected;
  } cases[] = {
      {"http://h:8080", "\\", "*.*", true, "http://h:8080/folderlist?folder=%5C&mask=*.*&recursive="},
      {"h:8080/", "\\", "*.*", true, "http://h:8080/folderlist?folder=%5C&mask=*.*&recursive="},
      {"  https://h//  ", "", "", false, "https://h/folderlist"},
      {"h", "a&b", "a b", false, "http://h/folderlist?folder=a%26b&mask=a+b"},
      {"h", "", "", true, "http://h/folderlist?recursive="},
      {"h", "Relatório", "", false, "http://h/folderlist?folder=Relat%C3%B3rio"},
      {"h", "-._*~+/", "", false, "http://h/folderlist?folder=-._*%7E%2B%2F"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ListingURL(c.base, c.folder, c.mask, c.recursive), c.expected) << c.base;
  for (const char* blank : {"", "   ", "\t"})
    EXPECT_THROW(ListingURL(blank, "\\", "*.*", true), platform::EError);
}

TEST(UrlEncoding, FormsTheDownloadURL) {
  struct Case {
    const char *base, *name, *expected;
  } cases[] = {
      {"http://h", "Relatorio\\Ficha.rav", "http://h/download?file=Relatorio%5CFicha.rav"},
      {"http://h/", "a.dll", "http://h//download?file=a.dll"},
      {"h", "a b&c#d+e.dll", "h/download?file=a%20b%26c%23d%2Be.dll"},
      {"h", "ação", "h/download?file=a%C3%A7%C3%A3o"},
      {"h", "%'*<=>[]^{|}`\"", "h/download?file=%25%27%2A%3C%3D%3E%5B%5D%5E%7B%7C%7D%60%22"},
      {"h", "-._~!$()/:;?@,", "h/download?file=-._~!$()/:;?@,"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(DownloadURL(c.base, c.name), c.expected) << c.name;
}
