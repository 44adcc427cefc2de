#pragma once
#include "FileSource.h"

// The central installation as a shared folder.
class TFolderSource final : public IFileSource {
public:
  TFolderSource(std::string ALocalPath, std::string ARemotePath)
      : FLocalPath(std::move(ALocalPath)), FRemotePath(std::move(ARemotePath)) {}

  void FillRemoteList(TRemoteList& ARemoteList) override { FillRemoteListFromFolder(ARemoteList); }
  bool UpdateFile(const TFetch& AFetch) override { return UpdateFileFromFolder(AFetch); }

  void FillRemoteListFromFolder(TRemoteList& ARemoteList);
  bool UpdateFileFromFolder(const TFetch& AFetch);

private:
  const std::string FLocalPath;
  const std::string FRemotePath;
};
