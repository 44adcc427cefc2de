#include "Norvane.RESTClient.FileList.h"

#include "DebugOutput.h"
#include "Errors.h"
#include "Event.h"
#include "FileCopy.h"
#include "FileRemoval.h"
#include "LockedFile.h"
#include "Paths.h"
#include "UrlEncoding.h"

#include <optional>
#include <thread>

bool TRESTClientDownload::DownloadTo(const std::string& ARemoteFileName,
                                     platform::TFileHandle AFile, std::string& AReason) const {
  const std::string url = WithScheme(DownloadURL(FBaseURL, ARemoteFileName));
  int writeError = 0;
  try {
    // The body goes to the file as it arrives; an error status stops the transfer at once.
    const THttpResponse response =
        HttpGet(url, {},
                [&](std::string_view chunk, const THttpResponse& r) {
                  if (r.Status >= 300)
                    return false;
                  if (!platform::WriteAll(AFile, chunk))
                    writeError = platform::LastSystemError();
                  return writeError == 0;
                },
                Timeouts, {TAcceptEncoding::Identity, true}); // the run's workers keep theirs
    if (response.Status >= 300)
      AReason = response.StatusLine; // the answer's own words, whatever its body
    else if (writeError)
      AReason = platform::SystemErrorMessage(writeError);
    return AReason.empty();
  } catch (const EHttpTransportError& e) {
    AReason = e.what();
    return false;
  }
}

// Steps 3 to 5: create the file, held exclusively, transfer into it, close it. The file is
// emptied only once it is held: a second download to the same file must not wipe the first's.
// Nothing when another download holds it.
std::optional<bool> TRESTClientDownload::TransferToFile(const std::string& ARemoteFileName,
                                                        const std::string& ALocalFileName) const {
  platform::TLockedFile file;
  switch (file.Open(ALocalFileName)) {
  case platform::TLockedFile::TOpened::Failed:
    return false;
  case platform::TLockedFile::TOpened::HeldByAnother:
    return std::nullopt;
  case platform::TLockedFile::TOpened::Yes:
    break;
  }
  std::string reason;
  const bool ok = file.Truncate() && DownloadTo(ARemoteFileName, file.Handle(), reason);
  return file.Close() && ok;
}

bool TRESTClientDownload::Download(const std::string& ARemoteFileName,
                                   const std::string& ALocalFileName) {
  platform::WriteDebugString(std::string(92, '>') + ARemoteFileName);
  const std::optional<bool> transferred = TransferToFile(ARemoteFileName, ALocalFileName);
  if (!transferred) // as removing a file another download holds fails where files are shared
    throw platform::EError(platform::SFileInUse);
  if (!*transferred)
    platform::StrictDeleteFile(ALocalFileName);
  return platform::FileExists(ALocalFileName);
}

bool TRESTClientDownload::ThreadedDownload(const std::string& ARemoteFileName,
                                           const std::string& ALocalFileName,
                                           const std::function<void()>& AProcessMessages) {
  auto event = std::make_shared<platform::TEvent>();
  // The worker keeps its own copy of everything it touches: it may outlive this call's frame.
  std::thread([event, client = *this, ARemoteFileName, ALocalFileName] {
    try {
      const std::optional<bool> transferred =
          client.TransferToFile(ARemoteFileName, ALocalFileName);
      if (transferred && !*transferred)
        platform::StrictDeleteFile(ALocalFileName);
    } catch (...) {
      // A failed removal ends the worker quietly.
    }
    event->Set();
  }).detach();
  while (!event->WaitFor(std::chrono::milliseconds(300)))
    if (AProcessMessages)
      AProcessMessages();
  return platform::FileExists(ALocalFileName);
}
