#include "Norvane.JSon.DTO.FileList.h"

#include "ErrorOf.h"
#include "Errors.h"
#include "Iso8601.h"

#include <gtest/gtest.h>

using testing_support::ErrorOf;

namespace {

const double Noon = ISO8601ToDate("2026-12-10T12:00:00Z");
} // namespace

TEST(FromJSON, ReadsListings) {
  struct Case {
    const char* name;
    std::string json;
    std::vector<std::pair<std::string, double>> expected;
  } cases[] = {
      {"empty array", "[]", {}},
      {"two files in order",
       R"([{"FileName":"central.ini","Age":"2026-12-10T12:00:00Z"},
           {"FileName":"Relatorio\\a.rav","Age":"2026-12-10T09:00:00-03:00"}])",
       {{"central.ini", Noon}, {"Relatorio\\a.rav", Noon}}},
      {"names in any ASCII case", R"([{"FILENAME":"a","age":"2026-12-10T12:00:00Z"}])",
       {{"a", Noon}}},
      {"extra members ignored", R"([{"FileName":"a","Size":12,"Age":"2026-12-10T12:00:00Z"}])",
       {{"a", Noon}}},
      {"missing Age is 0.0", R"([{"FileName":"a"}])", {{"a", 0.0}}},
      {"repeated member: the later wins", R"([{"FileName":"a","FileName":"b"}])", {{"b", 0.0}}},
      {"a number as name keeps its text", R"([{"FileName":1.50}])", {{"1.50", 0.0}}},
      {"other JSON types leave the field", R"([{"FileName":null,"Age":{"x":[1,2]}}])",
       {{"", 0.0}}},
      {"F prefix is added, not expected", R"([{"FFileName":"a"}])", {{"", 0.0}}},
      {"non-ASCII names", R"([{"FileName":"Relatório\\ação.rav"}])",
       {{"Relatório\\ação.rav", 0.0}}},
  };
  for (const auto& c : cases) {
    TFileInfoDTOArray files;
    TFilesInfoDTOHelper::FromJSON(files, c.json);
    ASSERT_EQ(files.size(), c.expected.size()) << c.name;
    for (std::size_t i = 0; i < files.size(); ++i) {
      EXPECT_EQ(files[i]->FileName(), c.expected[i].first) << c.name;
      EXPECT_EQ(files[i]->Age(), c.expected[i].second) << c.name;
    }
  }
}

TEST(FromJSON, FailsWithItsMessages) {
  const std::string deep = std::string(100000, '[') + std::string(100000, ']');
  struct Case {
    const char* name;
    std::string json, message;
  } cases[] = {
      {"empty", "", "TFilesInfoDTOHelper.FromJSON"},
      {"HTML", "<html><body>Not found</body></html>", "TFilesInfoDTOHelper.FromJSON"},
      {"truncated", R"([{"FileName":"a")", "TFilesInfoDTOHelper.FromJSON"},
      {"trailing junk", "[] x", "TFilesInfoDTOHelper.FromJSON"},
      {"NUL byte", std::string("[\0]", 3), "TFilesInfoDTOHelper.FromJSON"},
      {"invalid UTF-8", "[{\"FileName\":\"\xC3\x28\"}]", "TFilesInfoDTOHelper.FromJSON"},
      {"object", R"({"FileName":"a"})", "Invalid class typecast"},
      {"string", R"("a")", "Invalid class typecast"},
      {"number", "12", "Invalid class typecast"},
      {"deeply nested", deep, "The input value is not a valid Object"},
      {"bad Age", R"([{"Age":"20"}])", "Invalid date string: 20"},
      // Read in one pass, yet text that is not JSON further on still outranks a bad element,
      // and the first bad element outranks a later one.
      {"bad Age, then not JSON", R"([{"Age":"20"},)", "TFilesInfoDTOHelper.FromJSON"},
      {"bad Age, then a number", R"([{"FileName":"a"},{"Age":"20"},7])", "Invalid date string: 20"},
      {"a number, then a bad Age", R"([7,{"Age":"20"}])", "The input value is not a valid Object"},
  };
  for (const auto& c : cases) {
    TFileInfoDTOArray files;
    EXPECT_EQ(ErrorOf([&] { TFilesInfoDTOHelper::FromJSON(files, c.json); }), c.message)
        << c.name;
  }
}

TEST(FromJSON, KeepsTheRecordsBeforeANonObjectElement) {
  TFileInfoDTOArray files;
  EXPECT_EQ(ErrorOf([&] {
              TFilesInfoDTOHelper::FromJSON(files, R"([{"FileName":"a"},{"FileName":"b"},7,{}])");
            }),
            "The input value is not a valid Object");
  ASSERT_EQ(files.size(), 4u);
  EXPECT_EQ(files[0]->FileName(), "a");
  EXPECT_EQ(files[1]->FileName(), "b");
  EXPECT_EQ(files[2], nullptr);
  EXPECT_EQ(files[3], nullptr);
  TFilesInfoDTOHelper::FreeAll(files);
  EXPECT_TRUE(files.empty());
}

TEST(FromJSON, ReadsALargeListing) {
  std::string json = "[";
  for (int i = 0; i < 100000; ++i)
    json += std::string(i ? "," : "") + R"({"FileName":"pasta\\arquivo)" + std::to_string(i) +
            R"(.dll","Age":"2026-12-10T12:00:00.000Z"})";
  json += "]";
  TFileInfoDTOArray files;
  TFilesInfoDTOHelper::FromJSON(files, json);
  ASSERT_EQ(files.size(), 100000u);
  EXPECT_EQ(files.back()->FileName(), "pasta\\arquivo99999.dll");
  EXPECT_EQ(files.back()->Age(), Noon);
}

TEST(ErrorRecord, ReadsStatusDetailAndError) {
  struct Case {
    const char* json;
    int status;
    const char *error, *detail;
  } cases[] = {
      {R"({"Error":"Not found","Status":404,"Detail":"No folder x"})", 404, "Not found",
       "No folder x"},
      {R"({"error":"e","STATUS":"404"})", 404, "e", ""},
      {R"({"Error":"e"})", 0, "e", ""},
      {R"({"Status":"abc"})", 0, "", ""},
      {R"({"Status":404.5})", 0, "", ""},
      {R"({"Status":99999999999})", 0, "", ""},
      {R"({"Status":-1,"Detail":12})", -1, "", "12"},
  };
  for (const auto& c : cases) {
    const auto record = FileInfoErrorFromJSON(c.json);
    EXPECT_EQ(record->Status(), c.status) << c.json;
    EXPECT_EQ(record->Error(), c.error) << c.json;
    EXPECT_EQ(record->Detail(), c.detail) << c.json;
  }
  for (const char* bad : {"", "<html></html>", "[]", "\"x\""})
    EXPECT_EQ(ErrorOf([&] { FileInfoErrorFromJSON(bad); }), "The input value is not a valid Object")
        << bad;
}

TEST(ObjectReading, FillsAFileRecord) {
  const auto record = FileInfoFromJSON(R"({"fileName":"a.exe","AGE":"2026-12-10T12:00:00Z"})");
  EXPECT_EQ(record->FileName(), "a.exe");
  EXPECT_EQ(record->Age(), Noon);
  const TFileInfoDTO empty;
  EXPECT_EQ(empty.FileName(), "");
  EXPECT_EQ(empty.Age(), 0.0);
  const TFileInfoErrorDTO made(404, "e", "d");
  EXPECT_EQ(made.Status(), 404);
}
