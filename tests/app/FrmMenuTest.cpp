#include "ActivityIndicator.h"
#include "ClickZone.h"
#include "Installation.h"
#include "MessageForm.h"
#include "QtMainThread.h"
#include "TransparentMemo.h"
#include "Unit1.h"

#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace testing_support;

namespace {
struct Menu : ::testing::Test {
  TempDir Central, Local;
  QStringList Errors;
  std::vector<std::string> Opened;
  std::unique_ptr<TFrmMenu> Window;

  void SetUp() override { platform::SetMainThread(std::make_shared<TQtMainThread>()); }
  void TearDown() override {
    Window.reset();
    platform::SetMainThread(nullptr);
  }

  void Configure(const std::string& ini) { Local.Write("Norvane.ini", ini); }
  void UseCentralFolder() { Configure("[Servidor]\nLocal Exe=" + Central.Path().string() + "\n"); }

  TFrmMenu& Open() {
    TLauncherEnvironment environment;
    environment.ProgramPath = Local.Folder() + "norvane";
    environment.ShowError = [this](const std::string& text) {
      Errors.push_back(QString::fromStdString(text));
    };
    environment.OpenURL = [this](const std::string& url) {
      Opened.push_back(url);
      return true;
    };
    environment.SendMail = [](const std::string&) { return 1; };
    Window = std::make_unique<TFrmMenu>(std::move(environment));
    return *Window;
  }

  // A module program that leaves a marker file when it runs.
  std::filesystem::path ModuleProgram(const TempDir& dir, const std::string& name,
                                      platform::TDateTime age) {
    const auto marker = Local / (name + ".ran");
    const auto path = Place(dir, name, "#!/bin/sh\ntouch '" + marker.string() + "'\n", age);
    std::filesystem::permissions(path, std::filesystem::perms(0755));
    return marker;
  }

  bool WaitIdle() {
    return QTest::qWaitFor([&] { return Window->RunningRequests() == 0; }, 20000);
  }
};

// Closes the next message dialog that opens and hands back its text.
void AnswerNextDialog(QString& text) {
  QTimer::singleShot(50, [&text] {
    if (auto* form = qobject_cast<TMessageForm*>(QApplication::activeModalWidget())) {
      text = form->MessageMemo()->toPlainText();
      form->done(1);
    } else {
      AnswerNextDialog(text);
    }
  });
}
} // namespace

TEST_F(Menu, StartsWithItsCaptionComponentsAndReportFolder) {
  UseCentralFolder();
  TFrmMenu& menu = Open();
  EXPECT_TRUE(Errors.isEmpty());
  EXPECT_EQ(menu.windowTitle(), QString::fromUtf8("Norvane Aldeno [2022.01.00]"));
  EXPECT_EQ(menu.size(), QSize(1111, 702));
  EXPECT_EQ(menu.minimumSize(), menu.maximumSize());
  EXPECT_TRUE(std::filesystem::is_directory(Local / "Relatorio"));
  EXPECT_EQ(menu.wCaminhoServidor(), Central.Path().string() + "\\");
  EXPECT_EQ(menu.Logo(1)->geometry(), QRect(47, 8, 339, 123));
  EXPECT_EQ(menu.Logo(2)->geometry(), QRect(694, 8, 302, 184));
  EXPECT_EQ(menu.WaitPanel()->geometry(), QRect(319, 116, 369, 143));
  EXPECT_FALSE(menu.WaitPanel()->isHidden()); // visible from the start, until an update ends
  EXPECT_FALSE(menu.Indicator()->Animate());
  EXPECT_EQ(menu.Indicator()->FrameDelay(), 30);
  EXPECT_FALSE(menu.TrayIconCriado); // no notification area here, and everything else works
  const auto actions = menu.Menu()->actions();
  ASSERT_EQ(actions.size(), 3);
  EXPECT_EQ(actions[0]->text(), QString::fromUtf8("Abre o Sistema de Gesttão Hospitalar"));
  EXPECT_TRUE(actions[1]->isSeparator());
  EXPECT_EQ(actions[2]->text(), QString::fromUtf8("Fecha o Sistema de Gesttão Hospitalar"));
}

TEST_F(Menu, AFileNamedRelatorioShowsTheErrorOnceAndStartUpGoesOn) {
  Local.Write("Relatorio", "not a folder");
  Configure("[Servidor]\nurl=http://h\n");
  TFrmMenu& menu = Open();
  ASSERT_EQ(Errors.size(), 1);
  EXPECT_EQ(Errors.front(), QString::fromUtf8("Não Criou o Diretório Relatorio. Contacte o Norvane."));
  EXPECT_EQ(menu.Configuration().FUrl, "http://h");
}

TEST_F(Menu, RegistersTheEightModulesByPicture) {
  TFrmMenu& menu = Open();
  const std::pair<const char*, const char*> rows[] = {
      {"imgInternacao", "FrontDesk.exe"},  {"imgProntuario", "Bedside.exe"},
      {"imgEstoque", "Inventory.exe"},     {"imgCompras", "Purchasing.exe"},
      {"imgFinanceiro", "Treasury.exe"},   {"imgControlEquip", "Devices.exe"},
      {"imgAdmSistema", "Supervisor.exe"}, {"imgCadGeral", "MasterData.exe"}};
  for (const auto& [zone, module] : rows) {
    TModuleOptions::TModuleInfo info;
    ASSERT_NE(menu.Zone(zone), nullptr) << zone;
    EXPECT_TRUE(menu.ModuleOptions().TryGetModule(menu.Zone(zone), info));
    EXPECT_EQ(info, TModuleOptions::TModuleInfo(module, true)) << zone;
  }
  for (const char* other : {"imgChecagem", "imgPainel", "imgSuporteRemoto", "imgEmail"}) {
    TModuleOptions::TModuleInfo info{"x", true};
    EXPECT_FALSE(menu.ModuleOptions().TryGetModule(menu.Zone(other), info));
  }
}

TEST_F(Menu, AModuleClickUpdatesThenStartsTheModule) {
  UseCentralFolder();
  const auto marker = ModuleProgram(Central, "Treasury.exe", Age(3));
  ModuleProgram(Local, "Treasury.exe", Age(3)); // up to date already
  Place(Central, "central.ini", "novo", Age(4));
  TFrmMenu& menu = Open();
  emit menu.Zone("imgFinanceiro")->clicked(menu.Zone("imgFinanceiro"));
  ASSERT_TRUE(WaitIdle());
  ASSERT_TRUE(QTest::qWaitFor([&] { return std::filesystem::exists(marker); }, 10000));
  EXPECT_EQ(ReadAll(Local / "central.ini"), "novo");
  EXPECT_TRUE(menu.WaitPanel()->isHidden());
  EXPECT_TRUE(menu.windowTitle().startsWith("Norvane - Marund Tempo do update : 00:0"));
  EXPECT_EQ(menu.SelectedModule(), Local.Folder() + "Treasury.exe");
  EXPECT_TRUE(Errors.isEmpty());
}

TEST_F(Menu, AMissingModuleIsReportedWithItsFullPath) {
  UseCentralFolder();
  TFrmMenu& menu = Open();
  QString shown;
  AnswerNextDialog(shown);
  emit menu.Zone("imgCadGeral")->clicked(menu.Zone("imgCadGeral"));
  ASSERT_TRUE(WaitIdle());
  ASSERT_TRUE(QTest::qWaitFor([&] { return !shown.isEmpty(); }, 10000));
  EXPECT_EQ(shown, QString::fromStdString("Módulo não instalado.\n" + Local.Folder() +
                                          "MasterData.exe"));
}

TEST_F(Menu, TheStartUpUpdateStartsNothingAndSetsTheCaption) {
  UseCentralFolder();
  Place(Central, "ImgAldeno2.jpg", "not a picture", Age(2));
  TFrmMenu& menu = Open();
  menu.show();
  ASSERT_TRUE(QTest::qWaitFor([&] { return menu.WaitPanel()->isHidden(); }, 10000));
  EXPECT_TRUE(menu.windowTitle().startsWith("Norvane - Marund Tempo do update : "));
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  EXPECT_TRUE(std::filesystem::exists(Local / "ImgAldeno2.jpg"));
  EXPECT_EQ(menu.Logo(2)->size(), QSize(302, 184)); // a broken logo file keeps the embedded one
  EXPECT_TRUE(Errors.isEmpty());
}

TEST_F(Menu, WithoutACentralInstallationNothingIsUpdated) {
  TFrmMenu& menu = Open(); // no Norvane.ini at all
  menu.show();
  ASSERT_TRUE(QTest::qWaitFor([&] { return menu.WaitPanel()->isHidden(); }, 5000));
  EXPECT_EQ(menu.windowTitle(), QString::fromUtf8("Norvane Aldeno [2022.01.00]"));
  const auto marker = ModuleProgram(Local, "Supervisor.exe", Age(1));
  emit menu.Zone("imgAdmSistema")->clicked(menu.Zone("imgAdmSistema"));
  EXPECT_TRUE(QTest::qWaitFor([&] { return std::filesystem::exists(marker); }, 10000));
  EXPECT_TRUE(Errors.isEmpty());
}

TEST_F(Menu, AListingFailureIsShownAndThePanelStays) {
  Configure("[Servidor]\nLocal Exe=" + Central.Path().string() + "/gone\n");
  TFrmMenu& menu = Open();
  emit menu.Zone("imgEstoque")->clicked(menu.Zone("imgEstoque"));
  EXPECT_EQ(Errors, QStringList{"The specified path was not found"});
  EXPECT_FALSE(menu.WaitPanel()->isHidden());
  EXPECT_EQ(menu.RunningRequests(), 0);
}

TEST_F(Menu, SupportPagesOpenTheirAddressesAsStored) {
  TFrmMenu& menu = Open();
  emit menu.Zone("imgPainel")->clicked(menu.Zone("imgPainel"));
  emit menu.Zone("imgChecagem")->clicked(menu.Zone("imgChecagem"));
  EXPECT_EQ(Opened, (std::vector<std::string>{"http://127.0.0.1:8789/?m=P\\",
                                               "http://127.0.0.1:8789/$/start/\\"}));
}

TEST_F(Menu, MailWithoutAMailServiceShowsTheResultText) {
  TFrmMenu& menu = Open();
  QString shown;
  AnswerNextDialog(shown);
  emit menu.Zone("imgEmail")->clicked(menu.Zone("imgEmail"));
  EXPECT_EQ(shown, "The user canceled one of the dialog boxes; no message was sent.");
}

TEST_F(Menu, ClosingMinimisesAndTheMenuItemEndsTheProgram) {
  TFrmMenu& menu = Open();
  menu.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&menu));
  menu.close();
  EXPECT_TRUE(menu.isMinimized());
  EXPECT_TRUE(menu.isVisible());

  bool ended = false;
  QTimer::singleShot(0, &menu, [&] { menu.Menu()->actions()[2]->trigger(); });
  QTimer::singleShot(5000, [] { QCoreApplication::exit(99); });
  ended = QCoreApplication::exec() == 0;
  EXPECT_TRUE(ended);
  EXPECT_FALSE(menu.isVisible());
}

TEST_F(Menu, FiveQuickClicksStartTheirOwnModules) {
  UseCentralFolder();
  const char* zones[] = {"imgInternacao", "imgProntuario", "imgEstoque", "imgCompras",
                         "imgFinanceiro"};
  const char* modules[] = {"FrontDesk.exe", "Bedside.exe", "Inventory.exe", "Purchasing.exe",
                           "Treasury.exe"};
  std::vector<std::filesystem::path> markers;
  for (const char* module : modules)
    markers.push_back(ModuleProgram(Central, module, Age(5)));
  Place(Central, "central.ini", std::string(2 << 20, 'c'), Age(5));
  TFrmMenu& menu = Open();
  for (const char* zone : zones)
    emit menu.Zone(zone)->clicked(menu.Zone(zone));
  EXPECT_FALSE(menu.WaitPanel()->isHidden());
  ASSERT_TRUE(WaitIdle());
  for (const auto& marker : markers)
    EXPECT_TRUE(QTest::qWaitFor([&] { return std::filesystem::exists(marker); }, 10000))
        << marker;
  EXPECT_TRUE(menu.WaitPanel()->isHidden());
  EXPECT_EQ(ReadAll(Local / "central.ini").size(), std::size_t(2 << 20));
  EXPECT_TRUE(Errors.isEmpty());
}

TEST_F(Menu, TheNotificationIconsDoubleClickRestoresTheWindow) {
  TFrmMenu& menu = Open();
  menu.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&menu));
  menu.showMinimized();
  ASSERT_TRUE(QTest::qWaitFor([&] { return menu.isMinimized(); }, 2000));
  menu.TrayMessage(TFrmMenu::WM_LBUTTONDBLCLK + 1); // any other mouse message does nothing
  EXPECT_TRUE(menu.isMinimized());
  menu.TrayMessage(TFrmMenu::WM_LBUTTONDBLCLK);
  EXPECT_TRUE(QTest::qWaitFor([&] { return !menu.isMinimized() && menu.isVisible(); }, 2000));
}

TEST_F(Menu, TheWaitingPanelsTextFitsItsLabelInTheSuitesFace) {
  TFrmMenu& menu = Open();
  const auto* label = menu.findChild<QLabel*>(QStringLiteral("Label1"));
  ASSERT_NE(label, nullptr);
  const QFontMetrics metrics(label->font());
  EXPECT_LE(metrics.horizontalAdvance(label->text()), label->width())
      << QFontInfo(label->font()).family().toStdString();
  EXPECT_LE(metrics.height(), label->height());
  EXPECT_EQ(QFontInfo(label->font()).family(), QStringLiteral("Open Sans"));
}

TEST(ClickZone, ADoubleClickIsOneClick) {
  QWidget parent;
  TClickZone zone(&parent, QStringLiteral("imgTest"), QRect(0, 0, 50, 50));
  int clicks = 0;
  QObject::connect(&zone, &TClickZone::clicked, [&] { ++clicks; });
  const QPointF at(10, 10);
  const auto send = [&](QEvent::Type type) {
    QMouseEvent event(type, at, zone.mapToGlobal(at), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(&zone, &event);
  };
  // What a window system delivers for a double click: the second press as a double click.
  for (const auto type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                          QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease})
    send(type);
  EXPECT_EQ(clicks, 1);
  send(QEvent::MouseButtonPress); // and a later single click is a click again
  send(QEvent::MouseButtonRelease);
  EXPECT_EQ(clicks, 2);
}

TEST_F(Menu, EveryWindowOfTheProgramCarriesItsIcon) {
  TFrmMenu& menu = Open();
  ASSERT_FALSE(QApplication::windowIcon().isNull());
  EXPECT_EQ(QApplication::windowIcon().pixmap(32).toImage(),
            menu.windowIcon().pixmap(32).toImage());
  QWidget errorBox; // a window with no parent, as the start-up error box is
  EXPECT_EQ(errorBox.windowIcon().pixmap(32).toImage(), menu.windowIcon().pixmap(32).toImage());
}

TEST_F(Menu, ARestoreRightAfterAMinimiseIsNotUndoneByItsLateHide) {
  TFrmMenu& menu = Open();
  menu.TrayIconCriado = true; // minimising hides the window, as with a notification area
  menu.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&menu));
  for (int round = 0; round < 20; ++round) {
    menu.showMinimized(); // a minimise queues the hide that takes it off the task bar
    menu.AbreoSistemadeGesttoHospitalar1Click(); // restored before the queue runs
    QCoreApplication::processEvents();
    QTest::qWait(10);
    ASSERT_TRUE(menu.isVisible()) << "round " << round;
    ASSERT_FALSE(menu.isMinimized()) << "round " << round;
  }
  menu.close(); // nothing restores it: it leaves the task bar
  EXPECT_TRUE(QTest::qWaitFor([&] { return !menu.isVisible(); }, 2000));
}
