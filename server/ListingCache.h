#pragma once
#include "Listing.h"

#include <chrono>
#include <functional>
#include <future>
#include <map>
#include <memory>
#include <mutex>
#include <string>

// Listings kept for a few seconds: at the morning rush hundreds of workstations ask for the
// same listing within seconds, and it is built once per interval, not once per workstation.
// A listing is served at most `ttl` after its build ended, so what a client sees is never older
// than the time-to-live plus one build. Requests that arrive while a listing is being built
// wait for that build instead of starting their own.
class TListingCache {
public:
  using TBuild = std::function<TListing()>;
  using TShared = std::shared_ptr<const TListing>;

  explicit TListingCache(std::chrono::milliseconds ttl) : FTtl(ttl) {}

  TShared Get(const std::string& key, const TBuild& build);

private:
  // Distinct keys come from clients: only so many are kept.
  static constexpr std::size_t MaxEntries = 64;

  struct TEntry {
    std::shared_future<TShared> Listing;
    std::chrono::steady_clock::time_point Built; // max() while it is being built
  };
  void DropExpired(std::chrono::steady_clock::time_point now);

  const std::chrono::milliseconds FTtl;
  std::mutex FLock;
  std::map<std::string, TEntry> FEntries;
};
