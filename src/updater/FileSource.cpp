#include "FileSource.h"

#include "Errors.h"
#include "FileTimes.h"
#include "Paths.h"
#include "TextCase.h"

void TRemoteList::Add(const std::string& AFileName, platform::TDateTime AAge) {
  Add(TFileInfoDTO(AFileName, AAge));
}

void TRemoteList::Add(TFileInfoDTO&& AFile) {
  std::string key = platform::AnsiUpperCase(AFile.FileName());
  if (!FFiles.try_emplace(std::move(key), std::move(AFile)).second)
    throw platform::EError(platform::SDuplicatesNotAllowed);
}

const TFileInfoDTO* TRemoteList::Find(const std::string& AKey) const {
  const auto found = FFiles.find(AKey);
  return found == FFiles.end() ? nullptr : &found->second;
}

bool IsUpToDate(const std::string& ALocalPath, platform::TDateTime AAge) {
  const platform::TDateTime age = platform::GetFileAge(ALocalPath);
  return age == AAge && (age != platform::MissingAge || platform::FileExists(ALocalPath));
}
