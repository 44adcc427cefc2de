// Feeds arbitrary bytes to the listing reader, the error-record reader and the date reader.
// Errors are expected; crashes, hangs and sanitizer reports are bugs.
#include "Errors.h"
#include "Iso8601.h"
#include "Norvane.JSon.DTO.FileList.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  try {
    TFileInfoDTOArray files;
    TFilesInfoDTOHelper::FromJSON(files, text);
  } catch (const platform::EError&) {
  }
  try {
    FileInfoErrorFromJSON(text);
  } catch (const platform::EError&) {
  }
  try {
    ISO8601ToDate(text);
  } catch (const platform::EError&) {
  }
  return 0;
}
