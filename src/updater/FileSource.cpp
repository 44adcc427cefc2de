#include "FileSource.h"

#include "Errors.h"
#include "FileTimes.h"
#include "Paths.h"
#include "TextCase.h"

bool IsUpToDate(const std::string& ALocalPath, platform::TDateTime AAge) {
  const platform::TDateTime age = platform::GetFileAge(ALocalPath);
  return age == AAge && (age != platform::MissingAge || platform::FileExists(ALocalPath));
}
