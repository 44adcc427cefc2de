#include "ReplacementFile.h"

#include "Errors.h"
#include "FileTimes.h"
#include "Paths.h"
#include "WideText.h"

#include <algorithm>
#include <chrono>
#include <thread>
#include <vector>

namespace platform {

namespace {
// Past this many rounds something keeps replacing the work file under us: give up.
constexpr int MaxOpenRounds = 64;

[[noreturn]] void RaiseWorkFileError(const std::string& path, const std::string& why) {
  throw EError("The work file " + path + " " + why);
}

// Something that is not a plain file of its own sits at the work name (a link, a folder, a
// second name of another file): it goes, and the caller starts again with a fresh file.
void RemoveIntruder(const std::wstring& path, const std::string& name) {
  if (DeleteFileW(path.c_str()) || RemoveDirectoryW(path.c_str()) ||
      GetLastError() == ERROR_FILE_NOT_FOUND)
    return;
  RaiseWorkFileError(name, "is in the way and cannot be removed: " +
                               SystemErrorMessage(int(GetLastError())));
}

// One round of taking the work file: its handle, or INVALID_HANDLE_VALUE to start again. The
// file is opened without sharing, so while one fetch writes it no other process can open it;
// one left by a killed run is free again and is taken over.
HANDLE TryTake(const std::wstring& path, const std::string& name, bool& waited) {
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE | DELETE, 0, nullptr,
                                  OPEN_ALWAYS, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    if (error == ERROR_SHARING_VIOLATION) {
      waited = true; // another fetch writes it now
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    } else if (error == ERROR_ACCESS_DENIED) {
      RemoveIntruder(path, name); // a folder, or a read-only leftover
    } else {
      RaiseLastOSError(int(error));
    }
    return INVALID_HANDLE_VALUE;
  }
  BY_HANDLE_FILE_INFORMATION info{};
  if (!GetFileInformationByHandle(file, &info)) {
    const DWORD error = GetLastError();
    CloseHandle(file);
    RaiseLastOSError(int(error));
  }
  if ((info.dwFileAttributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY)) ||
      info.nNumberOfLinks > 1) {
    CloseHandle(file);
    RemoveIntruder(path, name);
    return INVALID_HANDLE_VALUE;
  }
  return file;
}

HANDLE OpenWorkFile(const std::wstring& path, const std::string& name, bool& waited) {
  // A writer may hold the file for as long as its transfer takes: wait for it, not for ever.
  for (int round = 0; round < MaxOpenRounds * 100; ++round) {
    const HANDLE file = TryTake(path, name, waited);
    if (file != INVALID_HANDLE_VALUE)
      return file;
  }
  RaiseWorkFileError(name, "keeps being replaced by something else");
}

} // namespace

TReplacementFile::TReplacementFile(std::string_view target)
    : FTarget(ToNativePath(target)), FWork(WorkFileName(target)) {
  const HANDLE file = OpenWorkFile(Widen(FWork), FWork, FWaited);
  FFd = reinterpret_cast<TFileHandle>(file);
  if (!SetEndOfFile(file)) {
    const DWORD error = GetLastError();
    FILE_DISPOSITION_INFO remove{TRUE};
    SetFileInformationByHandle(file, FileDispositionInfo, &remove, sizeof remove);
    CloseHandle(file);
    RaiseLastOSError(int(error));
  }
}

TReplacementFile::~TReplacementFile() {
  const HANDLE file = reinterpret_cast<HANDLE>(FFd);
  if (!FCommitted) { // still ours: nobody else can open it
    FILE_DISPOSITION_INFO remove{TRUE};
    SetFileInformationByHandle(file, FileDispositionInfo, &remove, sizeof remove);
  }
  CloseHandle(file);
}

// NTFS journals its names: a rename that returned is already as durable as it gets.
void FlushFolder(std::string_view) {}

void TReplacementFile::Commit(TDateTime age, unsigned permissions, TFolderFlush) {
  const HANDLE file = reinterpret_cast<HANDLE>(FFd);
  StampAge(FFd, age);
  // The content and its time reach the disk before the name does.
  if (!FlushFileBuffers(file))
    RaiseLastOSError(int(GetLastError()));
  // Renamed through the open handle, replacing the target in one step.
  const std::wstring target = Widen(FTarget);
  std::vector<char> buffer(sizeof(FILE_RENAME_INFO) + target.size() * sizeof(wchar_t));
  auto* rename = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
  rename->ReplaceIfExists = TRUE;
  rename->RootDirectory = nullptr;
  rename->FileNameLength = DWORD(target.size() * sizeof(wchar_t));
  std::copy(target.begin(), target.end(), rename->FileName);
  if (!SetFileInformationByHandle(file, FileRenameInfo, rename, DWORD(buffer.size())))
    RaiseLastOSError(int(GetLastError()));
  FCommitted = true;
  // Windows keeps no permission bits; a file meant read-only only is marked so.
  if (!(permissions & 0222))
    SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_READONLY);
}

} // namespace platform
