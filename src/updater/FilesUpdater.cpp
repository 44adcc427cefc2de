#include "FilesUpdater.h"

#include "FetchRegistry.h"
#include "FileTimes.h"
#include "Paths.h"
#include "ReplacementFile.h"
#include "SharedFiles.h"
#include "TextCase.h"

#include <filesystem>

IFilesUpdaterPtr TFilesUpdater::New(const std::string& ALocalPath, const std::string& ARemotePath,
                                    const std::string& AURL, TThreadMethod AOnTerminate,
                                    TUpdateOptions AOptions) {
  return std::make_shared<TFilesUpdater>(ALocalPath, ARemotePath, AURL, std::move(AOnTerminate),
                                         std::move(AOptions));
}

TFilesUpdater::TFilesUpdater(std::string ALocalPath, std::string ARemotePath, std::string AURL,
                             TThreadMethod AOnTerminate, TUpdateOptions AOptions)
    : FURL(std::move(AURL)), FLocalPath(std::move(ALocalPath)),
      FRemotePath(std::move(ARemotePath)), FOnTerminate(std::move(AOnTerminate)),
      FOptions(std::move(AOptions)) {
  FSource = FOptions.Source ? FOptions.Source : CreateFileSource(FLocalPath, FRemotePath, FURL);
}

void TFilesUpdater::Execute(const std::string& AModuleName, bool AAdditionalFiles) {
  FSelf = shared_from_this();
  try {
    FTasks = FOptions.MainThread ? TTasksList::New(FOptions.MainThread) : TTasksList::New();
    FillLocalList(AModuleName, AAdditionalFiles);
    FSource->FillRemoteList(FRemoteList);
    CompareLists();
  } catch (...) {
    FSelf.reset(); // no completion will come for this call
    throw;
  }
  FTasks->AWait([this] {
    FlushFetchedFolders(); // every replacement is durable before the owner hears of it
    NotifyTerminate();
    const auto last = std::move(FSelf); // may destroy the engine and its task list
  });
}

void TFilesUpdater::FillLocalList(const std::string& AModuleName, bool AAdditionalFiles) {
  FLocalList.clear();
  if (!AModuleName.empty())
    AddLocalFile(AModuleName);
  if (AAdditionalFiles)
    for (const char* name : SharedFiles)
      AddLocalFile(name);
}

void TFilesUpdater::AddLocalFile(const std::string& AFileName) {
  const std::string path = platform::JoinPath(FLocalPath, AFileName);
  FLocalList.emplace_back(AFileName, platform::GetFileAge(path));
}

void TFilesUpdater::CompareLists() {
  std::set<std::string> scheduled; // the shared table names two files twice: fetch each once
  for (const TFileInfoDTO& local : FLocalList) {
    const std::string key = platform::AnsiUpperCase(local.FileName());
    const std::optional<TRemoteFile> central = FRemoteList.Find(key);
    // The age AddLocalFile read says the file is there unless it is MissingAge, which a
    // central age can be too.
    const bool missing = local.Age() == platform::MissingAge &&
                         !platform::FileExists(platform::JoinPath(FLocalPath, local.FileName()));
    if (central && (missing || local.Age() != central->Age()) && scheduled.insert(key).second)
      AddTask({local.FileName(), std::string(central->FileName()), central->Age()});
  }
}

void TFilesUpdater::AddTask(TFetch AFetch) {
  if (FOptions.Observer)
    FOptions.Observer->FileScheduled(AFetch.FileName);
  if (FOptions.DryRun)
    return;
  // The engine stays alive through FSelf until every task has ended.
  FTasks->Run([this, fetch = std::move(AFetch)] { UpdateFile(fetch); });
}

void TFilesUpdater::UpdateFile(const TFetch& AFetch) {
  try {
    const std::string local = platform::JoinPath(FLocalPath, AFetch.FileName);
    const auto key = std::filesystem::path(platform::ToNativePath(local)).lexically_normal();
    TFetchRegistry::TClaim claim(TFetchRegistry::Instance(), key.string());
    // Another engine may have fetched this file since the lists were compared (it may even be
    // fetching it now: the claim waited for it).
    const bool fetched = !IsUpToDate(local, AFetch.Age) && FSource->UpdateFile(AFetch);
    if (fetched) {
      std::lock_guard guard(FFetchedLock);
      FFetchedFolders.insert(platform::ExtractFilePath(local));
    }
    if (FOptions.Observer) {
      if (fetched)
        FOptions.Observer->FileFetched(AFetch.FileName);
      else
        FOptions.Observer->FileUpToDate(AFetch.FileName);
    }
  } catch (const std::exception& e) {
    if (FOptions.Observer)
      FOptions.Observer->FileFailed(AFetch.FileName, e.what());
    throw; // the task list drops it; the completion runs all the same
  }
}

void TFilesUpdater::FlushFetchedFolders() {
  std::lock_guard guard(FFetchedLock);
  for (const std::string& folder : FFetchedFolders)
    try {
      platform::FlushFolder(folder);
    } catch (const std::exception&) {
      // The files are complete in place; should the rename not last, the old copy comes back
      // with its old age and is fetched again.
    }
  FFetchedFolders.clear();
}

void TFilesUpdater::NotifyTerminate() {
  if (FOnTerminate)
    FOnTerminate();
}
