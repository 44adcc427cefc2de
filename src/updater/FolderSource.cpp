#include "FolderSource.h"

#include "DirectoryScan.h"
#include "FileCopy.h"
#include "FileTimes.h"
#include "Paths.h"
#include "ReplacementFile.h"

namespace {
constexpr std::size_t TypicalCentralFiles = 16384;
} // namespace

void TFolderSource::FillRemoteListFromFolder(TRemoteList& ARemoteList) {
  ARemoteList.Clear();
  // Room for a typical installation at once; what goes unused is never touched.
  ARemoteList.Reserve(TypicalCentralFiles);
  const std::string root = platform::IncludeTrailingBackslash(FRemotePath);
  platform::ScanFiles(root, [&](std::string_view relative, const platform::TInstant& written) {
    ARemoteList.Add(relative, written);
  });
}

// The central file is read by the spelling the scan found (file systems may tell case apart);
// the local file keeps the local spelling.
bool TFolderSource::UpdateFileFromFolder(const TFetch& AFetch) {
  const std::string central = platform::JoinPath(FRemotePath, AFetch.RemoteName);
  const std::string local = platform::JoinPath(FLocalPath, AFetch.FileName);
  platform::ForceDirectories(platform::ExtractFilePath(local));
  platform::TReplacementFile replacement(local);
  // Another process fetched it while we waited for its work file: nothing left to do.
  if (replacement.Waited() && IsUpToDate(local, AFetch.Age))
    return false;
  const platform::TCopiedFile copied = platform::CopyFileInto(central, replacement.Handle());
  replacement.Commit(AFetch.Age, platform::CopyPermissions(AFetch.FileName, copied.Mode),
                     platform::TReplacementFile::TFolderFlush::ByCaller);
  return true;
}
