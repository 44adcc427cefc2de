#pragma once
#include <string>
#include <unordered_map>

// Which executable each module picture starts, keyed by the picture's identity (not its name).
class TModuleOptions {
public:
  struct TModuleInfo {
    std::string FModuleName;
    bool FAdditionalFiles = false;

    TModuleInfo() = default;
    TModuleInfo(std::string AModuleName, bool AAdditionalFiles)
        : FModuleName(std::move(AModuleName)), FAdditionalFiles(AAdditionalFiles) {}
    bool operator==(const TModuleInfo&) const = default;
  };

  // Raises "Duplicates not allowed" for a picture that is already registered.
  void AddModule(const void* AImage, const std::string& AModuleName, bool AAdditionalFiles);

  // The stored record, or false and the empty record for a picture that is not registered.
  bool TryGetModule(const void* AImage, TModuleInfo& AInfo) const;

private:
  std::unordered_map<const void*, TModuleInfo> FModules;
};
