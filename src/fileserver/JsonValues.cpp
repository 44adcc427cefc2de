#include "JsonValues.h"

#include <nlohmann/json.hpp>

namespace json_values {

namespace {
// Tells what the top level is and, for an object, collects its scalar members.
class Collector : public nlohmann::json_sax<nlohmann::json> {
public:
  Document Result;

  bool null() override { return ScalarValue({Scalar::Kind::Other, "null"}); }
  bool boolean(bool value) override {
    return ScalarValue({Scalar::Kind::Other, value ? "true" : "false"});
  }
  bool number_integer(number_integer_t value) override {
    return ScalarValue({Scalar::Kind::Number, std::to_string(value)});
  }
  bool number_unsigned(number_unsigned_t value) override {
    return ScalarValue({Scalar::Kind::Number, std::to_string(value)});
  }
  bool number_float(number_float_t, const string_t& text) override {
    return ScalarValue({Scalar::Kind::Number, text});
  }
  bool string(string_t& value) override {
    return ScalarValue({Scalar::Kind::String, std::move(value)});
  }
  bool binary(binary_t&) override { return ScalarValue({}); }

  bool start_object(std::size_t) override { return Open(true); }
  bool end_object() override { return Close(); }
  bool start_array(std::size_t) override { return Open(false); }
  bool end_array() override { return Close(); }
  bool key(string_t& name) override {
    FKey = std::move(name);
    return true;
  }
  bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) override {
    return false;
  }

private:
  // FDepth counts the containers open around the value being read.
  bool Open(bool object) {
    if (FDepth == 0) {
      Result.Type = object ? Document::Kind::Object : Document::Kind::Array;
      if (object)
        Result.Items.push_back({true, {}});
    } else if (IsMemberOfRecord()) {
      CurrentRecord().Fields.emplace_back(FKey, Scalar{});
    }
    ++FDepth;
    return true;
  }
  bool Close() {
    --FDepth;
    return true;
  }
  bool ScalarValue(Scalar value) {
    if (FDepth == 0)
      return true; // a bare scalar: Type stays Other
    if (IsMemberOfRecord())
      CurrentRecord().Fields.emplace_back(FKey, std::move(value));
    return true;
  }
  // A value directly inside the top-level object or inside an object element of the array.
  bool IsMemberOfRecord() const { return Result.Type == Document::Kind::Object && FDepth == 1; }
  Element& CurrentRecord() { return Result.Items.back(); }

  int FDepth = 0;
  std::string FKey;
};
} // namespace

std::optional<Document> Parse(std::string_view text) {
  Collector collector;
  const bool ok = nlohmann::json::sax_parse(text.begin(), text.end(), &collector,
                                            nlohmann::json::input_format_t::json, true);
  if (!ok)
    return std::nullopt;
  return std::move(collector.Result);
}

} // namespace json_values
