// In a process of its own: a test that ends the program (QCoreApplication::quit) would make
// every later nested event loop return at once, and this one needs one.
#include "ClickZone.h"
#include "Installation.h"
#include "QtMainThread.h"
#include "Unit1.h"

#include <QApplication>
#include <QProgressDialog>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <gtest/gtest.h>
#include <set>

using namespace testing_support;

namespace {
struct RemoteSupport : ::testing::Test {
  TempDir Central, Local;
  std::unique_ptr<TFrmMenu> Window;

  void SetUp() override { platform::SetMainThread(std::make_shared<TQtMainThread>()); }
  void TearDown() override {
    Window.reset();
    platform::SetMainThread(nullptr);
  }
  void UseCentralFolder() {
    Local.Write("Norvane.ini", "[Servidor]\nLocal Exe=" + Central.Path().string() + "\n");
  }
  TFrmMenu& Open() {
    TLauncherEnvironment environment;
    environment.ProgramPath = Local.Folder() + "norvane";
    environment.ShowError = [](const std::string&) {};
    environment.OpenURL = [](const std::string&) { return true; };
    environment.SendMail = [](const std::string&) { return 1; };
    Window = std::make_unique<TFrmMenu>(std::move(environment));
    return *Window;
  }
};
} // namespace

TEST_F(RemoteSupport, TheCopyShowsItsProgressWhileTheMenuStaysResponsive) {
  UseCentralFolder();
  const auto marker = Local / "TeamViewerQS_pt.exe.ran";
  const std::string tool =
      "#!/bin/sh\ntouch '" + marker.string() + "'\nexit 0\n#" + std::string(64 << 20, 'x') + "\n";
  std::filesystem::permissions(Place(Central, "TeamViewerQS_pt.exe", tool, Age(2)),
                               std::filesystem::perms(0755));
  TFrmMenu& menu = Open();
  menu.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&menu));
  int ticks = 0;
  QString label;
  std::set<int> values;
  QTimer watcher; // runs only while the menu's thread keeps taking events
  QObject::connect(&watcher, &QTimer::timeout, [&] {
    ++ticks;
    if (auto* progress = menu.findChild<QProgressDialog*>(QStringLiteral("CopyProgress"))) {
      label = progress->labelText();
      values.insert(progress->value());
    }
  });
  watcher.start(1);
  emit menu.Zone("imgSuporteRemoto")->clicked(menu.Zone("imgSuporteRemoto"));
  watcher.stop();
  EXPECT_GT(ticks, 0);
  EXPECT_EQ(label, QStringLiteral("TeamViewerQS_pt.exe"));
  EXPECT_TRUE(std::any_of(values.begin(), values.end(), [](int v) { return v > 0 && v < 1000; }))
      << values.size();
  EXPECT_EQ(std::filesystem::file_size(Local / "TeamViewerQS_pt.exe"), tool.size());
  EXPECT_TRUE(QTest::qWaitFor([&] { return std::filesystem::exists(marker); }, 10000));
  // The start-up update copies the tool too; its completion waits for this thread.
  EXPECT_TRUE(QTest::qWaitFor([&] { return menu.RunningRequests() == 0; }, 60000));
}
