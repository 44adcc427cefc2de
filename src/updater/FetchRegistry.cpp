#include "FetchRegistry.h"

TFetchRegistry& TFetchRegistry::Instance() {
  static TFetchRegistry registry;
  return registry;
}

TFetchRegistry::TClaim::TClaim(TFetchRegistry& registry, std::string path)
    : FRegistry(registry), FPath(std::move(path)) {
  std::unique_lock guard(FRegistry.FLock);
  FRegistry.FReleased.wait(guard, [this] { return FRegistry.FBusy.insert(FPath).second; });
}

TFetchRegistry::TClaim::~TClaim() {
  {
    std::lock_guard guard(FRegistry.FLock);
    FRegistry.FBusy.erase(FPath);
  }
  FRegistry.FReleased.notify_all();
}
