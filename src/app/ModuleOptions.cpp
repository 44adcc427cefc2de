#include "ModuleOptions.h"

#include "Errors.h"

void TModuleOptions::AddModule(const void* AImage, const std::string& AModuleName,
                               bool AAdditionalFiles) {
  if (!FModules.try_emplace(AImage, AModuleName, AAdditionalFiles).second)
    throw platform::EError(platform::SDuplicatesNotAllowed);
}

bool TModuleOptions::TryGetModule(const void* AImage, TModuleInfo& AInfo) const {
  const auto found = FModules.find(AImage);
  AInfo = found == FModules.end() ? TModuleInfo() : found->second;
  return found != FModules.end();
}
