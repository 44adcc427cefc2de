#include "ListingCache.h"

#include <atomic>
#include <gtest/gtest.h>
#include <thread>
#include <vector>

namespace {
TListing Built(int number) {
  TListing listing;
  listing.Body = "build " + std::to_string(number);
  return listing;
}
} // namespace

TEST(ListingCache, ARushGetsOneBuildAndTheNextIntervalAnother) {
  TListingCache cache(std::chrono::milliseconds(300));
  std::atomic<int> builds{0};
  const auto slowBuild = [&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    return Built(++builds);
  };
  std::vector<std::thread> rush;
  std::vector<std::string> seen(32);
  for (std::size_t i = 0; i < seen.size(); ++i)
    rush.emplace_back([&, i] { seen[i] = cache.Get("root", slowBuild)->Body; });
  for (auto& t : rush)
    t.join();
  EXPECT_EQ(builds, 1);
  for (const auto& body : seen)
    EXPECT_EQ(body, "build 1");
  EXPECT_EQ(cache.Get("other folder", slowBuild)->Body, "build 2"); // each listing its own
  std::this_thread::sleep_for(std::chrono::milliseconds(350));
  EXPECT_EQ(cache.Get("root", slowBuild)->Body, "build 3"); // never older than its interval
}

TEST(ListingCache, AFailedBuildIsNotKeptAndNoCacheBuildsEveryTime) {
  TListingCache cache(std::chrono::seconds(5));
  EXPECT_THROW(cache.Get("root", []() -> TListing { throw std::runtime_error("disk gone"); }),
               std::runtime_error);
  EXPECT_EQ(cache.Get("root", [] { return Built(1); })->Body, "build 1");
  TListingCache none(std::chrono::milliseconds(0));
  int builds = 0;
  none.Get("root", [&] { return Built(++builds); });
  none.Get("root", [&] { return Built(++builds); });
  EXPECT_EQ(builds, 2);
}
