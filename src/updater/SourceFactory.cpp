#include "FilesUpdater.h"
#include "FolderSource.h"
#include "ServerSource.h"

// Only an empty URL selects the folder: a URL of blanks selects the server (and fails there).
std::shared_ptr<IFileSource> CreateFileSource(const std::string& ALocalPath,
                                              const std::string& ARemotePath,
                                              const std::string& AURL) {
  if (AURL.empty())
    return std::make_shared<TFolderSource>(ALocalPath, ARemotePath);
  return std::make_shared<TServerSource>(ALocalPath, AURL);
}
