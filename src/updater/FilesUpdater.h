#pragma once
#include "FileSource.h"
#include "Norvane.JSon.DTO.FileList.h"
#include "Lock.h"
#include "MainThread.h"
#include "QM.Tasks.Helper.h"

#include <functional>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <vector>

using TThreadMethod = std::function<void()>;

// Brings the local installation up to date for one request; reference-counted.
class IFilesUpdater {
public:
  virtual ~IFilesUpdater() = default;
  // Lists and compares on the calling thread, schedules the fetches and returns. The completion
  // given to New runs once on the main thread after every fetch has ended; the caller may drop
  // its reference at once. Raises when the local list or the central listing fails.
  virtual void Execute(const std::string& AModuleName, bool AAdditionalFiles) = 0;
};
using IFilesUpdaterPtr = std::shared_ptr<IFilesUpdater>;

// Hears what happens to each file; for tools. Called on the engine's threads.
class IUpdateObserver {
public:
  virtual ~IUpdateObserver() = default;
  virtual void FileScheduled(const std::string& /*AFileName*/) {}
  virtual void FileFetched(const std::string& /*AFileName*/) {}
  // Scheduled, but found up to date when its turn came (another process had fetched it).
  virtual void FileUpToDate(const std::string& /*AFileName*/) {}
  virtual void FileFailed(const std::string& /*AFileName*/, const std::string& /*AReason*/) {}
};

struct TUpdateOptions {
  IUpdateObserver* Observer = nullptr;     // must outlive the run
  bool DryRun = false;                     // compare and report, fetch nothing
  std::shared_ptr<IFileSource> Source;     // instead of the one the URL selects
  std::shared_ptr<platform::IMainThread> MainThread; // instead of the installed one
};

class TFilesUpdater final : public IFilesUpdater,
                            public std::enable_shared_from_this<TFilesUpdater> {
public:
  static IFilesUpdaterPtr New(const std::string& ALocalPath, const std::string& ARemotePath,
                              const std::string& AURL, TThreadMethod AOnTerminate,
                              TUpdateOptions AOptions = {});

  TFilesUpdater(std::string ALocalPath, std::string ARemotePath, std::string AURL,
                TThreadMethod AOnTerminate, TUpdateOptions AOptions);

  void Execute(const std::string& AModuleName, bool AAdditionalFiles) override;

  // The records checked by the last Execute, in order; for tests and tools.
  const std::vector<TFileInfoDTO>& LocalList() const { return FLocalList; }

private:
  void FillLocalList(const std::string& AModuleName, bool AAdditionalFiles);
  void AddLocalFile(const std::string& AFileName);
  void CompareLists();
  void AddTask(TFetch AFetch);
  void UpdateFile(const TFetch& AFetch);
  void NotifyTerminate();
  void FlushFetchedFolders();

  const std::string FURL;
  const std::string FLocalPath;
  const std::string FRemotePath;
  std::vector<TFileInfoDTO> FLocalList;
  TRemoteList FRemoteList;
  std::shared_ptr<IFileSource> FSource;
  TThreadMethod FOnTerminate;
  ITasksPtr FTasks;
  TUpdateOptions FOptions;
  std::shared_ptr<TFilesUpdater> FSelf; // held from Execute until the completion has run
  platform::TLock FFetchedLock;
  std::set<std::string> FFetchedFolders; // where files were renamed in this run
};

// The source an engine binds: the folder for an empty URL, the file server otherwise
// (a URL of blanks included).
std::shared_ptr<IFileSource> CreateFileSource(const std::string& ALocalPath,
                                              const std::string& ARemotePath,
                                              const std::string& AURL);
