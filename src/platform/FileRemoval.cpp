#include "FileRemoval.h"

#include "Errors.h"
#include "Paths.h"
#include "SystemFileRemoval.h"

namespace platform {

namespace {
constexpr std::size_t MaxPath = 260;

std::size_t CodePoints(std::string_view text) {
  std::size_t count = 0;
  for (const char c : text)
    count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return count;
}

bool IsBlank(std::string_view text) {
  return text.find_first_not_of(" \t") == std::string_view::npos;
}
} // namespace

void StrictDeleteFile(std::string_view path) {
  if (CodePoints(path) >= MaxPath)
    throw EError(SPathTooLong);
  if (IsBlank(path) || HasInvalidPathChars(path))
    throw EError(SInvalidPathChars);
  const std::string folder = ExtractFilePath(path);
  if (!folder.empty() && !DirectoryExists(folder))
    throw EError(SPathNotFound);
  RemoveFile(path);
}

} // namespace platform
