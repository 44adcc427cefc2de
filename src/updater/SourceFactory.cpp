#include "FilesUpdater.h"
#include "FolderSource.h"

#include "Errors.h"

namespace {
// Stands in for the file server until this build has a client for it.
class TUnavailableServerSource final : public IFileSource {
public:
  void FillRemoteList(TRemoteList&) override { Fail(); }
  void UpdateFile(const TFetch&) override { Fail(); }

private:
  [[noreturn]] static void Fail() {
    throw platform::EError("This build cannot update from a file server (url in Norvane.ini)");
  }
};
} // namespace

std::shared_ptr<IFileSource> CreateFileSource(const std::string& ALocalPath,
                                              const std::string& ARemotePath,
                                              const std::string& AURL) {
  if (AURL.empty())
    return std::make_shared<TFolderSource>(ALocalPath, ARemotePath);
  return std::make_shared<TUnavailableServerSource>();
}
