#include "Norvane.JSon.DTO.FileList.h"

#include "Errors.h"
#include "Iso8601.h"
#include "JsonValues.h"

#include <charconv>
#include <nlohmann/json.hpp>
#include <optional>

namespace {
using json_values::Scalar;

// The member name with an "F" in front, compared with a field name in any ASCII case.
bool NamesField(std::string_view member, std::string_view field) {
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
  if (field.size() != member.size() + 1 || lower(field[0]) != 'f')
    return false;
  for (std::size_t i = 0; i < member.size(); ++i)
    if (lower(member[i]) != lower(field[i + 1]))
      return false;
  return true;
}

std::int32_t IntegerOf(const std::string& text) {
  std::int32_t result = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), result);
  return error == std::errc() && end == text.data() + text.size() ? result : 0;
}

template <class T> struct Field {
  const char* Name;
  void (*Set)(T&, std::string&); // may take the text
};

template <class T, std::size_t N>
std::unique_ptr<T> ReadObject(const json_values::Element& element, const Field<T> (&fields)[N]) {
  if (!element.IsObject)
    throw platform::EError("The input value is not a valid Object");
  auto record = std::make_unique<T>();
  for (const auto& [name, value] : element.Fields) {
    // Members of another JSON type (true, false, null, objects, arrays) leave the field alone.
    if (value.Type == Scalar::Kind::Other)
      continue;
    for (const auto& field : fields)
      if (NamesField(name, field.Name)) {
        std::string text = value.Text;
        field.Set(*record, text);
      }
  }
  return record;
}

template <class T, std::size_t N>
std::unique_ptr<T> ReadObjectText(std::string_view json, const Field<T> (&fields)[N]) {
  const auto document = json_values::Parse(json);
  if (!document || document->Type != json_values::Document::Kind::Object)
    throw platform::EError("The input value is not a valid Object");
  return ReadObject(document->Items.front(), fields);
}
} // namespace

// The field tables stand in for the reflection the records' fields would otherwise need.
struct TFileInfoDTOFields {
  static constexpr Field<TFileInfoDTO> Table[] = {
      {"FAge", [](TFileInfoDTO& r, std::string& t) { r.FAge = ISO8601ToDate(t); }},
      {"FFileName", [](TFileInfoDTO& r, std::string& t) { r.FFileName = std::move(t); }},
  };
};

struct TFileInfoErrorDTOFields {
  static constexpr Field<TFileInfoErrorDTO> Table[] = {
      {"FError", [](TFileInfoErrorDTO& r, std::string& t) { r.FError = std::move(t); }},
      {"FStatus", [](TFileInfoErrorDTO& r, std::string& t) { r.FStatus = IntegerOf(t); }},
      {"FDetail", [](TFileInfoErrorDTO& r, std::string& t) { r.FDetail = std::move(t); }},
  };
};

namespace {
// Reads a listing straight into its records as the parser goes: no document is built, so the
// memory a listing takes is its records'. The first element that cannot be read is remembered
// and the parse goes on, because text that is not JSON anywhere outranks it.
class TListingReader : public nlohmann::json_sax<nlohmann::json> {
public:
  TListingReader(TFileInfoDTOArray& files, std::size_t maxFiles)
      : FFiles(files), FMaxFiles(maxFiles) {}

  enum class Top { Array, Other } Kind = Top::Other;
  bool TooMany = false;
  std::optional<std::size_t> FailedAt; // the first element that could not be read
  std::string Failure;
  std::size_t Elements = 0;

  bool null() override { return Scalar(false, {}); }
  bool boolean(bool) override { return Scalar(false, {}); }
  bool number_integer(number_integer_t value) override {
    return Scalar(true, std::to_string(value));
  }
  bool number_unsigned(number_unsigned_t value) override {
    return Scalar(true, std::to_string(value));
  }
  bool number_float(number_float_t, const string_t& text) override { return Scalar(true, text); }
  bool string(string_t& value) override { return Scalar(true, std::move(value)); }
  bool binary(binary_t&) override { return Scalar(false, {}); }
  bool key(string_t& name) override {
    FKey = std::move(name);
    return true;
  }
  bool start_object(std::size_t) override { return Open(true); }
  bool start_array(std::size_t) override { return Open(false); }
  bool end_object() override { return Close(); }
  bool end_array() override { return Close(); }
  bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) override {
    return false;
  }

private:
  bool Open(bool object) {
    if (FDepth == 0 && !object)
      Kind = Top::Array;
    else if (FDepth == 1 && Kind == Top::Array && !StartElement(object))
      return false;
    ++FDepth;
    return true;
  }
  bool Close() {
    --FDepth;
    return true;
  }
  bool Scalar(bool readable, std::string text) {
    if (FDepth == 1 && Kind == Top::Array)
      return StartElement(false);
    if (FDepth == 2 && FRecord && readable)
      SetMember(std::move(text));
    return true;
  }

  bool StartElement(bool object) {
    if (++Elements > FMaxFiles) {
      TooMany = true;
      return false;
    }
    FRecord = nullptr;
    if (FailedAt)
      return true; // nothing after the first failure is kept
    if (!object) {
      Fail("The input value is not a valid Object");
      return true;
    }
    FFiles.push_back(std::make_unique<TFileInfoDTO>());
    FRecord = FFiles.back().get();
    return true;
  }

  void SetMember(std::string text) {
    for (const auto& field : TFileInfoDTOFields::Table)
      if (NamesField(FKey, field.Name)) {
        try {
          field.Set(*FRecord, text);
        } catch (const platform::EError& e) {
          Fail(e.what());
          FFiles.pop_back();
          FRecord = nullptr;
          return;
        }
      }
  }

  void Fail(const std::string& message) {
    FailedAt = Elements - 1;
    Failure = message;
  }

  TFileInfoDTOArray& FFiles;
  const std::size_t FMaxFiles;
  TFileInfoDTO* FRecord = nullptr;
  int FDepth = 0;
  std::string FKey;
};
} // namespace

void TFilesInfoDTOHelper::FromJSON(TFileInfoDTOArray& AFiles, std::string_view AJSON,
                                   std::size_t AMaxFiles) {
  AFiles.clear();
  TListingReader reader(AFiles, AMaxFiles);
  const bool parsed = nlohmann::json::sax_parse(AJSON.begin(), AJSON.end(), &reader,
                                                nlohmann::json::input_format_t::json, true);
  if (reader.TooMany) {
    AFiles.clear();
    throw EListingTooLarge("The file list is too large: more than " + std::to_string(AMaxFiles) +
                           " files");
  }
  if (!parsed) {
    AFiles.clear();
    throw platform::EError("TFilesInfoDTOHelper.FromJSON");
  }
  if (reader.Kind != TListingReader::Top::Array) {
    AFiles.clear();
    throw platform::EError("Invalid class typecast");
  }
  if (reader.FailedAt) {
    AFiles.resize(reader.Elements); // the entries from the failing element on stay empty
    throw platform::EError(reader.Failure);
  }
}

void TFilesInfoDTOHelper::FreeAll(TFileInfoDTOArray& AFiles) { AFiles.clear(); }

std::unique_ptr<TFileInfoDTO> FileInfoFromJSON(std::string_view AJSON) {
  return ReadObjectText(AJSON, TFileInfoDTOFields::Table);
}

std::unique_ptr<TFileInfoErrorDTO> FileInfoErrorFromJSON(std::string_view AJSON) {
  return ReadObjectText(AJSON, TFileInfoErrorDTOFields::Table);
}
