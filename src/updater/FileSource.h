#pragma once
#include "DateTime.h"
#include "Norvane.JSon.DTO.FileList.h"

#include <string>
#include <unordered_map>

// The central files by upper-cased relative name; each record keeps the source's spelling.
class TRemoteList {
public:
  // Raises "Duplicates not allowed" for a second name equal after upper-casing.
  void Add(const std::string& AFileName, platform::TDateTime AAge);
  void Add(TFileInfoDTO&& AFile);
  void Reserve(std::size_t ACount) { FFiles.reserve(ACount); }
  const TFileInfoDTO* Find(const std::string& AKey) const;
  void Clear() { FFiles.clear(); }
  std::size_t Count() const { return FFiles.size(); }

private:
  std::unordered_map<std::string, TFileInfoDTO> FFiles;
};

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
