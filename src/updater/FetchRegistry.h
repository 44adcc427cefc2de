#pragma once
#include "Lock.h"
#include <mutex>
#include <set>
#include <string>

// The local files being fetched in this process, so that no two engines fetch one file at once.
class TFetchRegistry {
public:
  static TFetchRegistry& Instance();

  // Holds one local path for the lifetime of the claim; waits while another claim holds it.
  class TClaim {
  public:
    TClaim(TFetchRegistry& registry, std::string path);
    ~TClaim();
    TClaim(const TClaim&) = delete;
    TClaim& operator=(const TClaim&) = delete;

  private:
    TFetchRegistry& FRegistry;
    std::string FPath;
  };

private:
  platform::TLock FLock;
  platform::TCondition FReleased;
  std::set<std::string> FBusy;
};
