#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The part of a JSON text the records need, read without building a tree: scalars keep their
// text exactly as written; nested values are only marked, so any depth costs no stack.
namespace json_values {

struct Scalar {
  enum class Kind { String, Number, Other } Type = Kind::Other;
  std::string Text;
};

using Members = std::vector<std::pair<std::string, Scalar>>;

struct Element {
  bool IsObject = false;
  Members Fields;
};

struct Document {
  enum class Kind { Array, Object, Other } Type = Kind::Other;
  std::vector<Element> Items; // the one object; an array is only recognised
};

// Nothing when the text is not JSON (empty text included).
std::optional<Document> Parse(std::string_view text);

} // namespace json_values
