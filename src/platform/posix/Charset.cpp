#include "Charset.h"

#include <memory>
#include <unicode/ucnv.h>
#include <unicode/unistr.h>

namespace platform {

std::optional<std::string> CharsetToUtf8(std::string_view bytes, const std::string& charset) {
  UErrorCode status = U_ZERO_ERROR;
  std::unique_ptr<UConverter, decltype(&ucnv_close)> converter(ucnv_open(charset.c_str(), &status),
                                                               &ucnv_close);
  if (U_FAILURE(status))
    return std::nullopt;
  icu::UnicodeString text(bytes.data(), int32_t(bytes.size()), converter.get(), status);
  if (U_FAILURE(status))
    return std::nullopt;
  std::string utf8;
  text.toUTF8String(utf8);
  return utf8;
}

} // namespace platform
