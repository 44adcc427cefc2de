#include "ListingCache.h"

TListingCache::TShared TListingCache::Get(const std::string& key, const TBuild& build) {
  if (FTtl.count() <= 0)
    return std::make_shared<const TListing>(build());
  std::promise<TShared> promise;
  {
    std::unique_lock guard(FLock);
    const auto now = std::chrono::steady_clock::now();
    const auto found = FEntries.find(key);
    if (found != FEntries.end() &&
        (found->second.Built == std::chrono::steady_clock::time_point::max() ||
         now - found->second.Built < FTtl)) {
      const auto listing = found->second.Listing;
      guard.unlock();
      return listing.get();
    }
    DropExpired(now);
    if (FEntries.size() >= MaxEntries && found == FEntries.end())
      return std::make_shared<const TListing>(build());
    FEntries[key] = {promise.get_future().share(), std::chrono::steady_clock::time_point::max()};
  }
  TShared listing;
  try {
    listing = std::make_shared<const TListing>(build());
  } catch (...) {
    std::lock_guard guard(FLock);
    promise.set_exception(std::current_exception());
    FEntries.erase(key);
    throw;
  }
  promise.set_value(listing);
  std::lock_guard guard(FLock);
  FEntries[key].Built = std::chrono::steady_clock::now();
  return listing;
}

void TListingCache::DropExpired(std::chrono::steady_clock::time_point now) {
  for (auto it = FEntries.begin(); it != FEntries.end();)
    if (it->second.Built != std::chrono::steady_clock::time_point::max() &&
        now - it->second.Built >= FTtl)
      it = FEntries.erase(it);
    else
      ++it;
}
