#include "Unit1.h"

#include "ClickZone.h"

#include <QMessageBox>

TFrmMenu::TFrmMenu(TLauncherEnvironment AEnvironment, QWidget* AOwner)
    : QWidget(AOwner), FEnvironment(std::move(AEnvironment)) {
  CreateComponents();
  RegisterModules();
  // An error of the creation handler is reported and start-up goes on.
  RunHandler([this] { FormCreate(); });
}

TFrmMenu::~TFrmMenu() = default;

void TFrmMenu::RunHandler(const std::function<void()>& handler) {
  try {
    handler();
  } catch (const std::exception& e) {
    FEnvironment.ShowError(QString::fromUtf8(e.what()));
  }
}

TClickZone* TFrmMenu::Zone(const char* name) const {
  return findChild<TClickZone*>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
}

void TFrmMenu::CreateComponents() {
  setFixedSize(1111, 702);
  const auto zone = [this](const char* name, int left, int top, int width, int height) {
    return new TClickZone(this, QString::fromLatin1(name), QRect(left, top, width, height));
  };
  imgInternacao = zone("imgInternacao", 11, 235, 522, 68);
  imgProntuario = zone("imgProntuario", 562, 237, 513, 69);
  imgEstoque = zone("imgEstoque", 562, 319, 515, 70);
  imgCompras = zone("imgCompras", 16, 399, 516, 71);
  imgFinanceiro = zone("imgFinanceiro", 564, 395, 511, 71);
  imgAdmSistema = zone("imgAdmSistema", 450, 657, 204, 36);
  imgCadGeral = zone("imgCadGeral", 233, 658, 203, 36);
  imgChecagem = zone("imgChecagem", 16, 319, 517, 68);
  imgPainel = zone("imgPainel", 8, 656, 211, 39);
  imgSuporteRemoto = zone("imgSuporteRemoto", 666, 657, 209, 36);
  imgEmail = zone("imgEmail", 885, 656, 207, 37);
  imgControlEquip = zone("imgControlEquip", 20, 478, 516, 71);
}

void TFrmMenu::RegisterModules() {
  FModuleOptions = std::make_unique<TModuleOptions>();
  FModuleOptions->AddModule(imgInternacao, "FrontDesk.exe", true);
  FModuleOptions->AddModule(imgProntuario, "Bedside.exe", true);
  FModuleOptions->AddModule(imgEstoque, "Inventory.exe", true);
  FModuleOptions->AddModule(imgCompras, "Purchasing.exe", true);
  FModuleOptions->AddModule(imgFinanceiro, "Treasury.exe", true);
  FModuleOptions->AddModule(imgControlEquip, "Devices.exe", true);
  FModuleOptions->AddModule(imgAdmSistema, "Supervisor.exe", true);
  FModuleOptions->AddModule(imgCadGeral, "MasterData.exe", true);
}

void TFrmMenu::FormCreate() {
  StartupInfo = platform::TStartupInfo::NormalWindow();
  wfecha = false;
  LoadConfiguration();
  EnsureReportFolder(FConfiguration.FLocalPath);
}

void TFrmMenu::LoadConfiguration() {
  FConfiguration = LoadLauncherConfiguration(FEnvironment.ProgramPath);
  FwCaminhoServidor = FConfiguration.FRemotePath;
  setWindowTitle(QString::fromUtf8(StartupCaption));
}
