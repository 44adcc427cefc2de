#include "QM.Tasks.Helper.h"

#include "MainLoop.h"

#include <atomic>
#include <future>
#include <gtest/gtest.h>
#include <stdexcept>

using namespace std::chrono_literals;
using testing_support::RunMainLoopUntil;

namespace {
struct Fixture : ::testing::Test {
  std::shared_ptr<platform::TMainThreadQueue> Main = std::make_shared<platform::TMainThreadQueue>();
  std::thread::id MainId = std::this_thread::get_id();
};
} // namespace

TEST_F(Fixture, AnEmptyListCompletesOnTheMainThreadAfterAWaitReturned) {
  auto list = TTasksList::New(Main);
  int calls = 0;
  std::thread::id ranOn;
  list->AWait([&] {
    ++calls;
    ranOn = std::this_thread::get_id();
  });
  EXPECT_EQ(calls, 0); // never inside the call that made AWait
  ASSERT_TRUE(RunMainLoopUntil(*Main, [&] { return calls > 0; }));
  EXPECT_EQ(ranOn, MainId);
  Main->WaitAndProcess(50ms);
  EXPECT_EQ(calls, 1);
}

TEST_F(Fixture, AnEmptyEndActionStillEndsTheWaiting) {
  auto list = TTasksList::New(Main);
  std::atomic<bool> ran = false;
  list->Run([&] { ran = true; });
  list->AWait(nullptr);
  int handed = 0;
  for (int i = 0; i < 2000 && handed == 0; ++i)
    handed = Main->WaitAndProcess(10ms); // the hand-over happens, with nothing to call
  EXPECT_EQ(handed, 1);
  EXPECT_TRUE(ran);
}

TEST_F(Fixture, AFailingTaskIsDroppedAndTheCompletionWaitsForTheOthers) {
  auto list = TTasksList::New(Main);
  std::promise<void> gate;
  auto opened = gate.get_future().share();
  std::atomic<int> finished = 0;
  for (int i = 0; i < 3; ++i)
    list->Run([&, opened] {
      opened.wait();
      ++finished;
    });
  list->Run([] { throw std::runtime_error("copy failed"); });
  int calls = 0, finishedAtCompletion = -1;
  list->AWait([&] {
    ++calls;
    finishedAtCompletion = finished;
  });
  EXPECT_FALSE(RunMainLoopUntil(*Main, [&] { return calls > 0; }, 300ms));
  gate.set_value();
  ASSERT_TRUE(RunMainLoopUntil(*Main, [&] { return calls > 0; }));
  EXPECT_EQ(finishedAtCompletion, 3);
  Main->WaitAndProcess(50ms);
  EXPECT_EQ(calls, 1);
}

TEST_F(Fixture, ATaskAddedButNotStartedHoldsTheCompletionBack) {
  auto list = TTasksList::New(Main);
  platform::TThreadPool pool;
  std::atomic<bool> ran = false;
  auto task = platform::CreateTask([&] { ran = true; }, pool);
  list->Add(task)->Add(task); // the second add is ignored
  int calls = 0;
  list->AWait([&] { ++calls; });
  EXPECT_FALSE(RunMainLoopUntil(*Main, [&] { return calls > 0; }, 350ms));
  task->Start();
  ASSERT_TRUE(RunMainLoopUntil(*Main, [&] { return calls > 0; }));
  EXPECT_TRUE(ran);
}

TEST_F(Fixture, TheCompletionMayReleaseTheLastReference) {
  auto list = TTasksList::New(Main);
  std::weak_ptr<ITasks> watch = list;
  std::atomic<int> work = 0;
  for (int i = 0; i < 20; ++i)
    list->Run([&] { ++work; });
  bool destroyedInside = false;
  list->AWait([&] {
    list.reset();
    destroyedInside = watch.expired();
  });
  ASSERT_TRUE(RunMainLoopUntil(*Main, [&] { return destroyedInside; }));
  EXPECT_EQ(work, 20);
}

TEST_F(Fixture, NotifyEventTasksGetTheirSender) {
  auto list = TTasksList::New(Main);
  int sender = 0;
  std::atomic<void*> seen = nullptr;
  list->Run(&sender, [&](void* s) { seen = s; });
  bool done = false;
  list->AWait([&] { done = true; });
  ASSERT_TRUE(RunMainLoopUntil(*Main, [&] { return done; }));
  EXPECT_EQ(seen, &sender);
}

TEST_F(Fixture, TheInstalledMainThreadIsUsedByDefault) {
  platform::SetMainThread(Main);
  auto list = TTasksList::New();
  bool done = false;
  list->AWait([&] { done = true; });
  EXPECT_TRUE(RunMainLoopUntil(*Main, [&] { return done; }));
  platform::SetMainThread(nullptr);
}
