#include "ClickZone.h"
#include "TempDir.h"
#include "Unit1.h"

#include <QApplication>
#include <gtest/gtest.h>

namespace {

struct Menu {
  explicit Menu(const testing_support::TempDir& dir) {
    TLauncherEnvironment environment;
    environment.ProgramPath = dir.Folder() + "norvane";
    environment.ShowError = [this](const QString& text) { Errors.push_back(text); };
    Window = std::make_unique<TFrmMenu>(std::move(environment));
  }
  QStringList Errors;
  std::unique_ptr<TFrmMenu> Window;
};
} // namespace

TEST(FrmMenu, StartsWithItsCaptionSizeAndReportFolder) {
  testing_support::TempDir dir;
  dir.Write("Norvane.ini", "[Servidor]\nLocal Exe=/srv/central\n");
  Menu menu(dir);
  EXPECT_TRUE(menu.Errors.isEmpty());
  EXPECT_EQ(menu.Window->windowTitle(), QString::fromUtf8("Norvane Aldeno [2022.01.00]"));
  EXPECT_EQ(menu.Window->size(), QSize(1111, 702));
  EXPECT_EQ(menu.Window->minimumSize(), menu.Window->maximumSize());
  EXPECT_TRUE(std::filesystem::is_directory(dir / "Relatorio"));
  EXPECT_EQ(menu.Window->wCaminhoServidor(), "/srv/central\\");
  EXPECT_EQ(menu.Window->Configuration().FRemotePath, "/srv/central\\");
}

TEST(FrmMenu, AFileNamedRelatorioShowsTheErrorOnceAndStartUpGoesOn) {
  testing_support::TempDir dir;
  dir.Write("Relatorio", "not a folder");
  dir.Write("Norvane.ini", "[Servidor]\nurl=http://h\n");
  Menu menu(dir);
  ASSERT_EQ(menu.Errors.size(), 1);
  EXPECT_EQ(menu.Errors.front(), QString::fromUtf8("Não Criou o Diretório Relatorio. Contacte o Norvane."));
  EXPECT_EQ(menu.Window->Configuration().FUrl, "http://h");
  EXPECT_EQ(menu.Window->windowTitle(), QString::fromUtf8("Norvane Aldeno [2022.01.00]"));
}

TEST(FrmMenu, RegistersTheEightModulesByPicture) {
  testing_support::TempDir dir;
  Menu menu(dir);
  struct Row {
    const char *zone, *module;
  } rows[] = {
      {"imgInternacao", "FrontDesk.exe"},  {"imgProntuario", "Bedside.exe"},
      {"imgEstoque", "Inventory.exe"},     {"imgCompras", "Purchasing.exe"},
      {"imgFinanceiro", "Treasury.exe"},   {"imgControlEquip", "Devices.exe"},
      {"imgAdmSistema", "Supervisor.exe"}, {"imgCadGeral", "MasterData.exe"},
  };
  for (const auto& row : rows) {
    TModuleOptions::TModuleInfo info;
    ASSERT_NE(menu.Window->Zone(row.zone), nullptr) << row.zone;
    EXPECT_TRUE(menu.Window->ModuleOptions().TryGetModule(menu.Window->Zone(row.zone), info));
    EXPECT_EQ(info, TModuleOptions::TModuleInfo(row.module, true)) << row.zone;
  }
  for (const char* other : {"imgChecagem", "imgPainel", "imgSuporteRemoto", "imgEmail"}) {
    TModuleOptions::TModuleInfo info{"x", true};
    EXPECT_FALSE(menu.Window->ModuleOptions().TryGetModule(menu.Window->Zone(other), info));
    EXPECT_EQ(info, TModuleOptions::TModuleInfo());
  }
}
