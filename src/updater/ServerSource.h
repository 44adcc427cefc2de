#pragma once
#include "FileSource.h"

// The central installation behind the file server at a base URL.
class TServerSource final : public IFileSource {
public:
  TServerSource(std::string ALocalPath, std::string AURL)
      : FLocalPath(std::move(ALocalPath)), FURL(std::move(AURL)) {}

  void FillRemoteList(TRemoteList& ARemoteList) override { FillRemoteListFromServer(ARemoteList); }
  bool UpdateFile(const TFetch& AFetch) override { return UpdateFileFromServer(AFetch); }

  void FillRemoteListFromServer(TRemoteList& ARemoteList);
  bool UpdateFileFromServer(const TFetch& AFetch);

private:
  const std::string FLocalPath;
  const std::string FURL;
};
