#include "FilesUpdater.h"

#include "Environment.h"
#include "Errors.h"
#include "FetchRegistry.h"
#include "FolderSource.h"
#include "Installation.h"
#include "Lock.h"
#include "MainLoop.h"
#include "ProbeProgram.h"
#include "Process.h"
#include "SharedFiles.h"
#include "SystemFailures.h"

#include <algorithm>
#include <atomic>
#include <gtest/gtest.h>
#include <map>
#include <thread>
#include <mutex>

using namespace testing_support;

namespace {
// Records what the engine says of each file.
struct Log : IUpdateObserver {
  platform::TLock Lock;
  std::vector<std::string> Scheduled, Fetched, UpToDate, Failed;
  void FileScheduled(const std::string& n) override { Add(Scheduled, n); }
  void FileFetched(const std::string& n) override { Add(Fetched, n); }
  void FileUpToDate(const std::string& n) override { Add(UpToDate, n); }
  void FileFailed(const std::string& n, const std::string& r) override { Add(Failed, n + ": " + r); }
  void Add(std::vector<std::string>& list, const std::string& text) {
    std::lock_guard guard(Lock);
    list.push_back(text);
  }
};

// Counts the copies a source really makes.
struct CountingSource : IFileSource {
  explicit CountingSource(std::shared_ptr<IFileSource> inner) : Inner(std::move(inner)) {}
  void FillRemoteList(TRemoteList& list) override { Inner->FillRemoteList(list); }
  bool UpdateFile(const TFetch& fetch) override {
    {
      std::lock_guard guard(Lock);
      ++Copies[fetch.FileName];
    }
    return Inner->UpdateFile(fetch);
  }
  std::shared_ptr<IFileSource> Inner;
  platform::TLock Lock;
  std::map<std::string, int> Copies;
};

struct Engine : ::testing::Test {
  TempDir Central, Local;
  std::shared_ptr<platform::TMainThreadQueue> Main = std::make_shared<platform::TMainThreadQueue>();
  Log Observed;

  // One request, run to its completion on this (the main) thread.
  void Update(const std::string& module, bool shared, std::shared_ptr<IFileSource> source = {},
              const std::string& url = "") {
    int completions = 0;
    TUpdateOptions options{&Observed, false, std::move(source), Main};
    auto engine = TFilesUpdater::New(Local.Folder(), Central.Folder() + "\\", url,
                                     [&] { ++completions; }, options);
    engine->Execute(module, shared);
    engine.reset();
    EXPECT_EQ(completions, 0); // never inside Execute
    ASSERT_TRUE(RunMainLoopUntil(*Main, [&] { return completions > 0; }));
    Main->WaitAndProcess(std::chrono::milliseconds(20));
    EXPECT_EQ(completions, 1);
  }
};
} // namespace

TEST_F(Engine, FetchesWhatIsMissingOrDiffersAndKeepsWhatIsEqual) {
  struct Case {
    const char* name;
    std::optional<platform::TDateTime> central, local;
    bool fetched;
  } cases[] = {
      {"Equal.exe", Age(1), Age(1), false},
      {"Older.exe", Age(2), Age(1), true},
      {"Newer.exe", Age(1), Age(2), true}, // a newer local copy is replaced by the central one
      {"Missing.exe", Age(1), std::nullopt, true},
      {"LocalOnly.exe", std::nullopt, Age(1), false},
      {"Nowhere.exe", std::nullopt, std::nullopt, false},
      {"OneMillisecond.exe", Age(1, 10, 124), Age(1, 10, 123), true},
  };
  for (const auto& c : cases) {
    if (c.central)
      Place(Central, c.name, "central", *c.central);
    if (c.local)
      Place(Local, c.name, "local", *c.local);
    Update(c.name, false);
    const auto path = Local / c.name;
    EXPECT_EQ(std::filesystem::exists(path), c.central || c.local) << c.name;
    if (std::filesystem::exists(path)) {
      EXPECT_EQ(ReadAll(path), c.fetched ? "central" : "local") << c.name;
      EXPECT_EQ(AgeOf(path), c.fetched ? *c.central : *c.local) << c.name;
    }
  }
  EXPECT_TRUE(Observed.Failed.empty());
  EXPECT_EQ(Observed.Scheduled,
            (std::vector<std::string>{"Older.exe", "Newer.exe", "Missing.exe", "OneMillisecond.exe"}));
}

TEST_F(Engine, MatchesNamesWithoutRegardToCaseAndFetchesUnderTheLocalSpelling) {
  Place(Central, "CENTRAL.INI", "central", Age(3));
  Place(Central, "RELATORIO\\RECIBO.RAV", "ignored: not in the table", Age(3));
  Place(Central, "Relatorio\\Censo.rav", "censo", Age(3));
  Update("", true);
  EXPECT_EQ(ReadAll(Local / "central.ini"), "central");
  std::vector<std::string> names; // as spelled in the folder, whether or not it tells case apart
  for (const auto& entry : std::filesystem::directory_iterator(Local.Path()))
    names.push_back(entry.path().filename().string());
  EXPECT_NE(std::find(names.begin(), names.end(), "central.ini"), names.end());
  EXPECT_EQ(std::find(names.begin(), names.end(), "CENTRAL.INI"), names.end());
  EXPECT_EQ(ReadAll(Local / "Relatorio/Censo.rav"), "censo"); // the report folder is created
  EXPECT_EQ(AgeOf(Local / "Relatorio/Censo.rav"), Age(3));
}

TEST_F(Engine, ChecksTheModuleAndTheSharedTableInOrder) {
  Update("", false);
  EXPECT_TRUE(Observed.Scheduled.empty()); // nothing checked, the completion still came

  int completions = 0;
  auto engine = std::make_shared<TFilesUpdater>(Local.Folder(), Central.Folder(), "",
                                                [&] { ++completions; },
                                                TUpdateOptions{nullptr, true, {}, Main});
  engine->Execute("Treasury.exe", true);
  const auto& list = engine->LocalList();
  ASSERT_EQ(list.size(), 52u); // the module, then 51 rows with the two repeated names
  EXPECT_EQ(list[0].FileName(), "Treasury.exe");
  for (std::size_t row = 0; row < SharedFiles.size(); ++row)
    EXPECT_EQ(list[row + 1].FileName(), SharedFiles[row]);
  EXPECT_EQ(list[0].Age(), platform::MissingAge);
  engine.reset();
  ASSERT_TRUE(RunMainLoopUntil(*Main, [&] { return completions > 0; }));
}

TEST_F(Engine, FetchesEachRepeatedSharedNameOnce) {
  for (const char* name : SharedFiles)
    Place(Central, name, name, Age(4));
  auto counting = std::make_shared<CountingSource>(
      std::make_shared<TFolderSource>(Local.Folder(), Central.Folder()));
  Update("", true, counting);
  EXPECT_EQ(counting->Copies.size(), 49u);
  for (const auto& [name, copies] : counting->Copies)
    EXPECT_EQ(copies, 1) << name;
  EXPECT_EQ(ReadAll(Local / "qtintf70.dll"), "qtintf70.dll");

  // A second run finds everything up to date.
  counting->Copies.clear();
  Observed.Scheduled.clear();
  Update("", true, counting);
  EXPECT_TRUE(counting->Copies.empty());
  EXPECT_TRUE(Observed.Scheduled.empty());
}

TEST_F(Engine, TwoEnginesOverTheSameFilesFetchEachOnce) {
  Place(Central, "Relatorio\\Censo.rav", std::string(1 << 20, 'x'), Age(5));
  Place(Central, "central.ini", std::string(4 << 20, 'c'), Age(5));
  Place(Central, "Supervisor.exe", std::string(4 << 20, 's'), Age(5));
  auto counting = std::make_shared<CountingSource>(
      std::make_shared<TFolderSource>(Local.Folder(), Central.Folder()));
  int completions = 0;
  for (int i = 0; i < 2; ++i) // both list before either has finished
    TFilesUpdater::New(Local.Folder(), Central.Folder(), "", [&] { ++completions; },
                       {nullptr, false, counting, Main})
        ->Execute("Supervisor.exe", true);
  ASSERT_TRUE(RunMainLoopUntil(*Main, [&] { return completions == 2; }));
  EXPECT_EQ(counting->Copies,
            (std::map<std::string, int>{
                {"Relatorio\\Censo.rav", 1}, {"central.ini", 1}, {"Supervisor.exe", 1}}));
  EXPECT_EQ(AgeOf(Local / "Supervisor.exe"), Age(5));
}

TEST_F(Engine, ListingErrorsLeaveExecuteWithoutACompletion) {
  Place(Central, "a.dll", "1", Age(1));
  Place(Central, "Sub\\A.DLL", "2", Age(1));
  Place(Central, "sub\\a.dll", "3", Age(1));
  struct Case {
    std::string remote, url, message;
  };
  std::vector<Case> cases = {
      {Central.Folder() + "missing", "", "The specified path was not found"},
      {Central.Folder(), "   ", "Protocol field is empty"},
  };
  // Only a file system that tells case apart holds both spellings (Linux's, not Windows').
  if (std::distance(std::filesystem::directory_iterator(Central.Path()), {}) == 3)
    cases.push_back({Central.Folder(), "", "Duplicates not allowed"});
  for (const auto& c : cases) {
    bool completed = false;
    auto engine = TFilesUpdater::New(Local.Folder(), c.remote, c.url, [&] { completed = true; },
                                     {nullptr, false, {}, Main});
    try {
      engine->Execute("a.dll", true);
      ADD_FAILURE() << "no error for " << c.message;
    } catch (const platform::EError& e) {
      EXPECT_EQ(std::string(e.what()), c.message);
    }
    std::weak_ptr<IFilesUpdater> watch = engine;
    engine.reset();
    EXPECT_TRUE(watch.expired()); // a failed Execute does not keep the engine alive
    Main->WaitAndProcess(std::chrono::milliseconds(150));
    EXPECT_FALSE(completed);
  }
}

TEST_F(Engine, InvalidCharactersInALocalNameFailTheRequest) {
  auto engine = TFilesUpdater::New(Local.Folder(), Central.Folder(), "", nullptr,
                                   {nullptr, false, {}, Main});
  EXPECT_THROW(engine->Execute("Bad|Name.exe", false), platform::EError);
}

TEST_F(Engine, AFailedFetchIsReportedAndTheOthersGoOn) {
  Place(Central, "Good.exe", "good", Age(6));
  Place(Central, "central.ini", "ini", Age(6));
  Place(Local, "central.ini", "old ini", Age(1));
  // A folder with something in it where the work file goes: it cannot be cleared away.
  Local.Write("Good.exe.norvane-part/keep", "x");
  Update("Good.exe", true);
  ASSERT_EQ(Observed.Failed.size(), 1u);
  EXPECT_EQ(Observed.Failed[0], "Good.exe: The work file " +
                                    (Local / "Good.exe.norvane-part").string() +
                                    " is in the way and cannot be removed: " + FolderNotEmptyMessage());
  EXPECT_EQ(ReadAll(Local / "central.ini"), "ini");
  EXPECT_FALSE(std::filesystem::exists(Local / "Good.exe"));
}

TEST_F(Engine, AFileAnotherFetchBroughtUpToDateMeanwhileIsReportedSoAndNotCopied) {
  Place(Central, "Treasury.exe", "central", Age(6));
  auto counting = std::make_shared<CountingSource>(
      std::make_shared<TFolderSource>(Local.Folder(), Central.Folder()));
  const std::string path = std::filesystem::path(Local / "Treasury.exe").lexically_normal().string();
  int completions = 0;
  {
    // Another engine of this process is fetching the file; it ends after our compare.
    TFetchRegistry::TClaim other(TFetchRegistry::Instance(), path);
    TFilesUpdater::New(Local.Folder(), Central.Folder(), "", [&] { ++completions; },
                       {&Observed, false, counting, Main})
        ->Execute("Treasury.exe", false);
    Place(Local, "Treasury.exe", "fetched by the other", Age(6));
  }
  ASSERT_TRUE(RunMainLoopUntil(*Main, [&] { return completions > 0; }));
  EXPECT_EQ(Observed.Scheduled, std::vector<std::string>{"Treasury.exe"});
  EXPECT_EQ(Observed.UpToDate, std::vector<std::string>{"Treasury.exe"});
  EXPECT_TRUE(Observed.Fetched.empty());
  EXPECT_TRUE(counting->Copies.empty());
  EXPECT_EQ(ReadAll(Local / "Treasury.exe"), "fetched by the other");
}

TEST_F(Engine, ARunningProgramIsReplacedOnlyWhereTheSystemAllowsIt) {
  using namespace std::chrono_literals;
  const auto local = Local / "Module.exe";
  std::filesystem::copy_file(ProbeProgram(), local);
  platform::SetFileAge(Utf8(local), Age(1));
  Place(Central, "Module.exe", "new program", Age(6));
  SetVariable("NORVANE_PROBE_MS", "1500");
  platform::TProcessInformation info;
  const auto started = std::chrono::steady_clock::now();
  ASSERT_TRUE(platform::StartProgram(Utf8(local), platform::TStartupInfo::NormalWindow(), info));
  SetVariable("NORVANE_PROBE_MS", "0");
  std::this_thread::sleep_for(300ms); // running from its file by now
  Update("Module.exe", false);
  if (RunningProgramsCanBeReplaced()) {
    EXPECT_EQ(Observed.Fetched, std::vector<std::string>{"Module.exe"});
    EXPECT_EQ(ReadAll(local), "new program");
  } else { // the fetch fails and the program stays whole
    EXPECT_EQ(Observed.Failed, std::vector<std::string>{"Module.exe: " + AccessDeniedMessage()});
    EXPECT_EQ(std::filesystem::file_size(local), std::filesystem::file_size(ProbeProgram()));
    EXPECT_EQ(AgeOf(local), Age(1));
  }
  EXPECT_FALSE(std::filesystem::exists(Local / "Module.exe.norvane-part"));
  std::this_thread::sleep_until(started + 2s); // ended, so its folder can go
}

