#pragma once
#include "DateTime.h"
#include "RemoteList.h"

#include <string>

// One out-of-date file: the local record's spelling, the central spelling and the central age.
struct TFetch {
  std::string FileName;
  std::string RemoteName;
  platform::TDateTime Age = 0.0;
};

// Where an update gets the central installation from: a shared folder or the file server.
class IFileSource {
public:
  virtual ~IFileSource() = default;
  // On the caller's thread; raises when the central installation cannot be listed.
  virtual void FillRemoteList(TRemoteList& ARemoteList) = 0;
  // On a worker thread; raises when the file could not be fetched. Never leaves a partial file
  // under the real name, and never removes a working copy before its replacement is complete.
  // False when the file turned out to be up to date already (another process fetched it).
  // The file's content is on disk when this returns; flushing its folder, which makes the
  // rename durable too, is left to the caller, once for all the files of a run.
  virtual bool UpdateFile(const TFetch& AFetch) = 0;
};

// True when a file is at `ALocalPath` and its age is `AAge`. The missing age is a possible
// central age too, so existence is checked, not inferred from the age.
bool IsUpToDate(const std::string& ALocalPath, platform::TDateTime AAge);
