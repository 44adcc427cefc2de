#pragma once
#include "FileSource.h"

// The central installation as a shared folder.
class TFolderSource final : public IFileSource {
public:
  TFolderSource(std::string ALocalPath, std::string ARemotePath)
      : FLocalPath(std::move(ALocalPath)), FRemotePath(std::move(ARemotePath)) {}

  void FillRemoteList(TRemoteList& ARemoteList) override { FillRemoteListFromFolder(ARemoteList); }
  void UpdateFile(const TFetch& AFetch) override { UpdateFileFromFolder(AFetch); }

  void FillRemoteListFromFolder(TRemoteList& ARemoteList);
  void UpdateFileFromFolder(const TFetch& AFetch);

private:
  const std::string FLocalPath;
  const std::string FRemotePath;
};
