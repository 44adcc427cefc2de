#pragma once
#include "FileSource.h"

// The central installation behind the file server at a base URL.
class TServerSource final : public IFileSource {
public:
  TServerSource(std::string ALocalPath, std::string AURL)
      : FLocalPath(std::move(ALocalPath)), FURL(std::move(AURL)) {}

  void FillRemoteList(TRemoteList& ARemoteList) override { FillRemoteListFromServer(ARemoteList); }
  void UpdateFile(const TFetch& AFetch) override { UpdateFileFromServer(AFetch); }

  void FillRemoteListFromServer(TRemoteList& ARemoteList);
  void UpdateFileFromServer(const TFetch& AFetch);

private:
  const std::string FLocalPath;
  const std::string FURL;
};
