#include "ServerSource.h"

#include "DebugOutput.h"
#include "Errors.h"
#include "FileTimes.h"
#include "Norvane.RESTClient.FileList.h"
#include "Paths.h"
#include "ReplacementFile.h"

namespace {
bool EndsWithExe(const std::string& name) {
  if (name.size() < 4)
    return false;
  std::string tail = name.substr(name.size() - 4);
  for (char& c : tail)
    c = char(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return tail == ".exe";
}
} // namespace

void TServerSource::FillRemoteListFromServer(TRemoteList& ARemoteList) {
  ARemoteList.Clear();
  TRESTClientFileList listing(FURL);
  listing.Execute("\\", "*.*", true); // an error record leaves the listing empty
  const int count = listing.Count();
  for (int i = 0; i < count; ++i)
    if (const TFileInfoDTO* file = listing.Items(i))
      ARemoteList.Add(file->FileName(), file->Age());
}

// The local record's spelling goes to the server, which matches names without regard to case.
// The download lands in a work file beside the target and replaces it only when complete.
void TServerSource::UpdateFileFromServer(const TFetch& AFetch) {
  const std::string local = platform::JoinPath(FLocalPath, AFetch.FileName);
  if (!platform::DirectoryExists(platform::ExtractFilePath(local)))
    throw platform::EError(platform::SPathNotFound);
  platform::TReplacementFile replacement(local);
  if (replacement.Waited() && platform::GetFileAge(local) == AFetch.Age)
    return;
  platform::OutputDebugString(std::string(92, '>') + AFetch.FileName);
  std::string reason;
  if (!TRESTClientDownload(FURL).DownloadTo(AFetch.FileName, replacement.Fd(), reason))
    throw platform::EError(reason);
  // Linux has no other way to know that a downloaded file is a program.
  replacement.Commit(AFetch.Age, EndsWithExe(AFetch.FileName) ? 0755 : 0644);
}
