#include "Lock.h"
#include "MainThread.h"
#include "Task.h"
#include "ThreadPool.h"

#include <atomic>
#include <future>
#include <gtest/gtest.h>
#include <stdexcept>

using namespace platform;
using namespace std::chrono_literals;

TEST(Task, GoesThroughItsStatuses) {
  TThreadPool pool;
  std::promise<void> gate;
  auto opened = gate.get_future().share();
  auto ok = CreateTask([opened] { opened.wait(); }, pool);
  auto failing = CreateTask([] { throw std::runtime_error("boom"); }, pool);
  EXPECT_EQ(ok->Status(), TTaskStatus::Created);
  EXPECT_FALSE(ok->Wait(10ms));
  ok->Start();
  failing->Start();
  ASSERT_TRUE(failing->Wait(5s));
  EXPECT_EQ(failing->Status(), TTaskStatus::Exception);
  EXPECT_THROW(std::rethrow_exception(failing->Error()), std::runtime_error);
  EXPECT_NE(ok->Status(), TTaskStatus::Completed);
  gate.set_value();
  ASSERT_TRUE(ok->Wait(5s));
  EXPECT_EQ(ok->Status(), TTaskStatus::Completed);
  EXPECT_EQ(ok->Error(), nullptr);
}

TEST(WaitForAny, ReturnsTheEndedTaskOrTimesOut) {
  TThreadPool pool;
  std::promise<void> gate;
  auto opened = gate.get_future().share();
  auto slow = CreateTask([opened] { opened.wait(); }, pool);
  auto quick = CreateTask([opened] { opened.wait(); }, pool);
  auto never = CreateTask([] {}, pool); // created, never started
  slow->Start();
  EXPECT_EQ(WaitForAny({slow, never}, 50ms), -1);
  quick->Start();
  std::thread release([&] {
    std::this_thread::sleep_for(50ms);
    gate.set_value();
  });
  const int index = WaitForAny({never, quick}, 10s);
  release.join();
  EXPECT_EQ(index, 1);
  ASSERT_TRUE(slow->Wait(5s));
  EXPECT_EQ(WaitForAny({never, slow}, 10s), 1); // already ended: at once
}

TEST(ThreadPool, RunsUpToItsWorkersAtOnceAndDrainsOnShutdown) {
  std::atomic<int> running = 0, peak = 0, done = 0;
  {
    // Declared before the pool, so they outlive the workers it joins.
    TLock lock;
    TCondition allArrived;
    int arrived = 0;
    TThreadPool pool(4);
    for (int i = 0; i < 12; ++i)
      pool.Queue([&, first = i < 4] {
        const int now = ++running;
        int seen = peak;
        while (now > seen && !peak.compare_exchange_weak(seen, now)) {
        }
        if (first) { // the first four only end once all four run side by side
          std::unique_lock guard(lock);
          if (++arrived == 4)
            allArrived.notify_all();
          allArrived.wait(guard, [&] { return arrived == 4; });
        }
        --running;
        ++done;
      });
  }
  EXPECT_EQ(done, 12);
  EXPECT_EQ(peak, 4);
  EXPECT_GE(TThreadPool::DefaultMaxWorkers(), 8u);
}

TEST(MainThreadQueue, RunsCallsOnTheDrainingThreadAndReturnsTheirErrors) {
  TMainThreadQueue queue;
  const auto mainId = std::this_thread::get_id();
  std::thread::id ranOn;
  auto caller = std::async(std::launch::async, [&] {
    queue.Synchronize([&] { ranOn = std::this_thread::get_id(); });
    try {
      queue.Synchronize([] { throw std::runtime_error("in the completion"); });
    } catch (const std::runtime_error& e) {
      return std::string(e.what());
    }
    return std::string();
  });
  int ran = 0;
  while (ran < 2)
    ran += queue.WaitAndProcess(100ms);
  EXPECT_EQ(caller.get(), "in the completion");
  EXPECT_EQ(ranOn, mainId);
}
