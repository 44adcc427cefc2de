#include "Norvane.JSon.DTO.FileList.h"

#include "Errors.h"
#include "Iso8601.h"
#include "JsonValues.h"

#include <charconv>

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
  void (*Set)(T&, const std::string&);
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
      if (NamesField(name, field.Name))
        field.Set(*record, value.Text);
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
      {"FAge", [](TFileInfoDTO& r, const std::string& t) { r.FAge = ISO8601ToDate(t); }},
      {"FFileName", [](TFileInfoDTO& r, const std::string& t) { r.FFileName = t; }},
  };
};

struct TFileInfoErrorDTOFields {
  static constexpr Field<TFileInfoErrorDTO> Table[] = {
      {"FError", [](TFileInfoErrorDTO& r, const std::string& t) { r.FError = t; }},
      {"FStatus", [](TFileInfoErrorDTO& r, const std::string& t) { r.FStatus = IntegerOf(t); }},
      {"FDetail", [](TFileInfoErrorDTO& r, const std::string& t) { r.FDetail = t; }},
  };
};

void TFilesInfoDTOHelper::FromJSON(TFileInfoDTOArray& AFiles, std::string_view AJSON) {
  const auto document = json_values::Parse(AJSON);
  if (!document)
    throw platform::EError("TFilesInfoDTOHelper.FromJSON");
  if (document->Type != json_values::Document::Kind::Array)
    throw platform::EError("Invalid class typecast");
  AFiles.clear();
  AFiles.resize(document->Items.size());
  for (std::size_t i = 0; i < document->Items.size(); ++i)
    AFiles[i] = ReadObject(document->Items[i], TFileInfoDTOFields::Table);
}

void TFilesInfoDTOHelper::FreeAll(TFileInfoDTOArray& AFiles) { AFiles.clear(); }

std::unique_ptr<TFileInfoDTO> FileInfoFromJSON(std::string_view AJSON) {
  return ReadObjectText(AJSON, TFileInfoDTOFields::Table);
}

std::unique_ptr<TFileInfoErrorDTO> FileInfoErrorFromJSON(std::string_view AJSON) {
  return ReadObjectText(AJSON, TFileInfoErrorDTOFields::Table);
}
