#include "MenuController.h"

#include "Environment.h"
#include "FileCopy.h"
#include "Installation.h"
#include "MainLoop.h"
#include "ProbeProgram.h"
#include "SupportActions.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <regex>
#include <thread>

using namespace testing_support;

namespace {
// Records what the controller asks of the window, in order.
struct FakeView : IMenuView {
  std::vector<std::string> Calls;
  std::function<void()> DuringCopy;
  void ShowWaitPanel() override { Calls.push_back("show panel"); }
  void HideWaitPanel() override { Calls.push_back("hide panel"); }
  void SetCaption(const std::string& caption) override { Calls.push_back("caption " + caption); }
  void ShowModuleNotInstalled(const std::string& path) override {
    Calls.push_back("not installed " + path);
  }
  void ShowMailFailure(const std::string& text) override { Calls.push_back("mail " + text); }
  void CopyWithProgress(const std::string& source, const std::string& target,
                        const std::string& file) override {
    Calls.push_back("copy " + file);
    if (DuringCopy)
      DuringCopy();
    platform::CopyFileWithProgress(source, target, [](std::uint64_t, std::uint64_t) {});
  }
};

struct Controller : ::testing::Test {
  TempDir Central, Local;
  FakeView View;
  std::vector<std::string> Errors, Opened;
  int MailResult = 0;
  std::shared_ptr<platform::TMainThreadQueue> Main = std::make_shared<platform::TMainThreadQueue>();
  std::unique_ptr<TMenuController> Menu;

  void SetUp() override { platform::SetMainThread(Main); }
  void TearDown() override {
    Menu.reset();
    platform::SetMainThread(nullptr);
  }

  TMenuController& Open(const std::string& ini) {
    Local.Write("Norvane.ini", ini);
    TLauncherEnvironment environment;
    environment.ProgramPath = Local.Folder() + "norvane";
    environment.ShowError = [this](const std::string& text) { Errors.push_back(text); };
    environment.OpenURL = [this](const std::string& url) {
      Opened.push_back(url);
      return true;
    };
    environment.SendMail = [this](const std::string&) { return MailResult; };
    Menu = std::make_unique<TMenuController>(View, std::move(environment));
    Menu->LoadConfiguration();
    View.Calls.clear();
    return *Menu;
  }
  TMenuController& OpenOnCentralFolder() {
    return Open("[Servidor]\nLocal Exe=" + Utf8(Central.Path()) + "\n");
  }

  bool WaitIdle() { return RunMainLoopUntil(*Main, [&] { return Menu->RunningRequests() == 0; }); }

  // A central module that leaves a marker when it runs.
  std::filesystem::path CentralModule(const std::string& name) {
    std::filesystem::copy_file(ProbeProgram(), Central / name);
    platform::SetFileAge(Utf8(Central / name), Age(2));
    const auto marker = Local / (name + ".ran");
    SetVariable("NORVANE_PROBE_MARKER", marker.string());
    return marker;
  }
};

bool WaitForFile(const std::filesystem::path& path) {
  for (int i = 0; i < 1000 && !std::filesystem::exists(path); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  return std::filesystem::exists(path);
}

const std::regex UpdateCaption("caption Norvane - Marund Tempo do update : \\d\\d:\\d\\d\\.\\d{3}");
} // namespace

TEST_F(Controller, AModuleIsFetchedThenStartedAndThePanelAndCaptionFollowTheRequest) {
  const auto marker = CentralModule("Treasury.exe");
  auto& menu = OpenOnCentralFolder();
  menu.RequestModule("Treasury.exe", false);
  EXPECT_EQ(View.Calls, std::vector<std::string>{"show panel"});
  EXPECT_EQ(menu.RunningRequests(), 1);
  ASSERT_TRUE(WaitIdle());
  ASSERT_EQ(View.Calls.size(), 3u);
  EXPECT_EQ(View.Calls[1], "hide panel");
  EXPECT_TRUE(std::regex_match(View.Calls[2], UpdateCaption)) << View.Calls[2];
  EXPECT_EQ(menu.SelectedModule(), Local.Folder() + "Treasury.exe");
  EXPECT_TRUE(WaitForFile(marker)); // started from its fetched copy
  EXPECT_EQ(AgeOf(Local / "Treasury.exe"), Age(2));
  EXPECT_TRUE(Errors.empty());
}

TEST_F(Controller, AModuleMissingEverywhereIsReportedWithItsFullPath) {
  auto& menu = OpenOnCentralFolder();
  menu.RequestModule("Missing.exe", false);
  ASSERT_TRUE(WaitIdle());
  ASSERT_EQ(View.Calls.size(), 4u);
  EXPECT_EQ(View.Calls[3], "not installed " + Local.Folder() + "Missing.exe");
}

TEST_F(Controller, TheStartUpUpdateOnlyFetchesTheSharedFiles) {
  Place(Central, "central.ini", "settings", Age(3));
  auto& menu = OpenOnCentralFolder();
  menu.StartUpUpdate();
  ASSERT_TRUE(WaitIdle());
  ASSERT_EQ(View.Calls.size(), 3u);
  EXPECT_TRUE(std::regex_match(View.Calls[2], UpdateCaption));
  EXPECT_EQ(ReadAll(Local / "central.ini"), "settings");
}

// The panel stays while any request runs; the caption measures each request from its own start.
TEST_F(Controller, OverlappingRequestsKeepThePanelUntilTheLastEnds) {
  Place(Central, "central.ini", "settings", Age(3));
  auto& menu = OpenOnCentralFolder();
  menu.StartUpUpdate();
  menu.RequestModule("Missing.exe", true);
  EXPECT_EQ(menu.RunningRequests(), 2);
  ASSERT_TRUE(WaitIdle());
  EXPECT_EQ(std::count(View.Calls.begin(), View.Calls.end(), "hide panel"), 1);
  EXPECT_NE(std::find(View.Calls.begin(), View.Calls.end(),
                      "not installed " + Local.Folder() + "Missing.exe"),
            View.Calls.end());
}

TEST_F(Controller, AListingThatFailsLeavesThePanelAndStartsNothing) {
  auto& menu = Open("[Servidor]\nLocal Exe=" + Utf8(Central / "gone") + "\n");
  EXPECT_THROW(menu.RequestModule("Treasury.exe", false), std::exception);
  EXPECT_EQ(menu.RunningRequests(), 0);
  Main->WaitAndProcess(std::chrono::milliseconds(100));
  EXPECT_EQ(View.Calls, std::vector<std::string>{"show panel"});
}

TEST_F(Controller, ACompletionAfterTheWindowHasGoneDoesNothing) {
  Place(Central, "central.ini", "settings", Age(3));
  OpenOnCentralFolder().StartUpUpdate();
  Menu.reset();
  Main->WaitAndProcess(std::chrono::milliseconds(500));
  Main->ProcessPending();
  EXPECT_EQ(View.Calls, std::vector<std::string>{"show panel"});
}

TEST_F(Controller, SupportActionsOpenThePagesMailAndCopyTheToolOnce) {
  auto& menu = Open("[Servidor]\nLocal Exe=" + Utf8(Central.Path()) +
                    "\nChecagem=http://h/c\nPainel=http://h/p\n");
  menu.OpenChecagem();
  menu.OpenPainel();
  EXPECT_EQ(Opened, (std::vector<std::string>{"http://h/c\\", "http://h/p\\"}));

  menu.SendSupportMail();
  MailResult = 1;
  menu.SendSupportMail();
  EXPECT_EQ(View.Calls, std::vector<std::string>{"mail " + MailResultText(1)});

  // A second click while the tool is copied finds the copy on its way.
  View.Calls.clear();
  Place(Central, RemoteSupportToolName, "tool", Age(4));
  View.DuringCopy = [&] { menu.StartRemoteSupport(); };
  menu.StartRemoteSupport();
  EXPECT_EQ(View.Calls, std::vector<std::string>{std::string("copy ") + RemoteSupportToolName});
  EXPECT_EQ(ReadAll(Local / RemoteSupportToolName), "tool");
}
