#include "DirectoryScan.h"

#include "Errors.h"
#include "WideText.h"

#include <optional>
#include <utility>
#include <vector>

namespace platform {

namespace {
using FolderId = std::pair<DWORD, std::uint64_t>; // volume serial, file index

// The folder's own identity, so a junction back to a folder being walked ends there.
bool IdentityOf(const std::wstring& folder, FolderId& id) {
  const HANDLE handle = CreateFileW(folder.c_str(), FILE_READ_ATTRIBUTES,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE)
    return false;
  BY_HANDLE_FILE_INFORMATION info{};
  const bool known = GetFileInformationByHandle(handle, &info) != 0;
  CloseHandle(handle);
  id = {info.dwVolumeSerialNumber, std::uint64_t(info.nFileIndexHigh) << 32 | info.nFileIndexLow};
  return known;
}

class Scanner {
public:
  explicit Scanner(const std::function<void(std::string_view, const TInstant&)>& found)
      : FFound(found) {}

  void Walk(const std::wstring& folder, const std::string& prefix) {
    WIN32_FIND_DATAW entry{};
    const HANDLE find = FindFirstFileExW((folder + L"\\*").c_str(), FindExInfoBasic, &entry,
                                         FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (find == INVALID_HANDLE_VALUE)
      return;
    FAncestors.push_back({folder, std::nullopt});
    do {
      const std::wstring_view name = entry.cFileName;
      if (name == L"." || name == L"..")
        continue;
      const std::string relative = prefix + Narrow(name);
      if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        FFound(relative, InstantFromFileTime(entry.ftLastWriteTime));
        continue;
      }
      const std::wstring path = folder + L"\\" + std::wstring(name);
      if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) || !LeadsBack(path))
        Walk(path, relative + '\\');
    } while (FindNextFileW(find, &entry));
    FindClose(find);
    FAncestors.pop_back();
  }

private:
  struct Ancestor {
    std::wstring Path;
    std::optional<FolderId> Id; // looked up only once a junction asks
  };

  // Only a junction or link can lead back into a folder being walked: only then are the
  // folders opened to compare their identities.
  bool LeadsBack(const std::wstring& link) {
    FolderId target;
    if (!IdentityOf(link, target))
      return true; // nowhere to go
    for (Ancestor& ancestor : FAncestors) {
      if (!ancestor.Id) {
        FolderId id;
        if (!IdentityOf(ancestor.Path, id))
          continue;
        ancestor.Id = id;
      }
      if (*ancestor.Id == target)
        return true;
    }
    return false;
  }

  const std::function<void(std::string_view, const TInstant&)>& FFound;
  std::vector<Ancestor> FAncestors;
};
} // namespace

void ScanFiles(std::string_view root,
               const std::function<void(std::string_view relative, const TInstant& written)>& found) {
  std::wstring folder = WidePath(root);
  while (folder.size() > 3 && folder.back() == L'\\')
    folder.pop_back();
  const DWORD attributes = folder.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(folder.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
    throw EError(SPathNotFound);
  Scanner(found).Walk(folder, "");
}

} // namespace platform
