#pragma once
#include "FileHandle.h"
#include "HttpGet.h"
#include "Norvane.JSon.DTO.FileList.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

// The file server's folder listing: one GET, answered with JSON file records.
class TRESTClientFileList {
public:
  explicit TRESTClientFileList(const std::string& AURL);

  // Sends the listing request and reads the answer; true when the error record's status is 0.
  // Raises "REST request failed: %s" when no answer came, "Protocol field is empty" for a blank
  // URL, the status line for a status of 500 or above, and the JSON reader's errors.
  bool Execute(const std::string& AFolder, const std::string& AMask, bool ARecursive);

  int Count() const { return int(FFiles.size()); }
  // The record at AIndex, or null outside 0 .. Count - 1.
  const TFileInfoDTO* Items(int AIndex) const;
  const TFileInfoErrorDTO& Error() const { return *FError; }
  // Hands the records over to the caller, leaving Count at 0: a large listing then need not be
  // held twice while the caller files it away.
  TFileInfoDTOArray ReleaseFiles() { return std::move(FFiles); }

  THttpTimeouts Timeouts; // the request's time-outs (30 s each)

private:
  std::string FURL;
  std::unique_ptr<TFileInfoErrorDTO> FError;
  TFileInfoDTOArray FFiles;
};

// One file from the file server into a local file.
class TRESTClientDownload {
public:
  explicit TRESTClientDownload(const std::string& AURL) : FBaseURL(AURL) {}

  // True when a file exists at ALocalFileName afterwards. A failed transfer leaves no local file
  // and returns false; only a failure to remove it raises, and a file that another download
  // holds, which is left alone.
  bool Download(const std::string& ARemoteFileName, const std::string& ALocalFileName);

  // The same with the transfer on a thread of its own; the caller's events are processed
  // every 300 ms while it waits.
  bool ThreadedDownload(const std::string& ARemoteFileName, const std::string& ALocalFileName,
                        const std::function<void()>& AProcessMessages = {});

  // The transfer alone, streamed into an open file as it arrives; on failure `AReason` says why.
  bool DownloadTo(const std::string& ARemoteFileName, platform::TFileHandle AFile,
                  std::string& AReason) const;

  THttpTimeouts Timeouts;

private:
  std::optional<bool> TransferToFile(const std::string& ARemoteFileName,
                                     const std::string& ALocalFileName) const;

  std::string FBaseURL;
};
