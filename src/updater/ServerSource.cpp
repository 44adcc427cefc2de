#include "ServerSource.h"

#include "DebugOutput.h"
#include "Errors.h"
#include "FileCopy.h"
#include "FileTimes.h"
#include "Norvane.RESTClient.FileList.h"
#include "Paths.h"
#include "ReplacementFile.h"

void TServerSource::FillRemoteListFromServer(TRemoteList& ARemoteList) {
  ARemoteList.Clear();
  TRESTClientFileList listing(FURL);
  listing.Execute("\\", "*.*", true); // an error record leaves the listing empty
  // Each record is freed once listed: the listing is never held twice.
  TFileInfoDTOArray files = listing.ReleaseFiles();
  ARemoteList.Reserve(files.size());
  for (auto& file : files)
    if (file) {
      ARemoteList.Add(file->FileName(), file->Age());
      file.reset();
    }
}

// The local record's spelling goes to the server, which matches names without regard to case.
// The download lands in a work file beside the target and replaces it only when complete.
bool TServerSource::UpdateFileFromServer(const TFetch& AFetch) {
  const std::string local = platform::JoinPath(FLocalPath, AFetch.FileName);
  if (!platform::DirectoryExists(platform::ExtractFilePath(local)))
    throw platform::EError(platform::SPathNotFound);
  platform::TReplacementFile replacement(local);
  if (replacement.Waited() && IsUpToDate(local, AFetch.Age))
    return false;
  platform::WriteDebugString(std::string(92, '>') + AFetch.FileName);
  std::string reason;
  if (!TRESTClientDownload(FURL).DownloadTo(AFetch.FileName, replacement.Handle(), reason))
    throw platform::EError(reason);
  replacement.Commit(AFetch.Age, platform::CopyPermissions(AFetch.FileName, 0644),
                     platform::TReplacementFile::TFolderFlush::ByCaller);
  return true;
}
