#pragma once
#include "Configuration.h"
#include "DateTime.h"
#include "ModuleOptions.h"
#include "Process.h"

#include <QTimer>
#include <QWidget>
#include <chrono>
#include <functional>
#include <memory>

class QLabel;
class QMenu;
class QSystemTrayIcon;
class TActivityIndicator;
class TClickZone;

// What the window needs from the outside world; tests put their own pieces in.
struct TLauncherEnvironment {
  std::string ProgramPath;                         // the launcher's own file
  std::function<void(const QString&)> ShowError;   // the standard error box
  std::function<bool(const std::string&)> OpenURL; // the shell's "open"
  std::function<int(const std::string&)> SendMail; // the simple-mail service
};

// One update request: what it will start afterwards and when it began.
struct TUpdateRequest {
  std::string SelectedModule; // empty for the start-up update
  std::chrono::steady_clock::time_point Started;
};

class TFrmMenu : public QWidget {
  Q_OBJECT
public:
  explicit TFrmMenu(TLauncherEnvironment AEnvironment, QWidget* AOwner = nullptr);
  ~TFrmMenu() override; // FormDestroy

  bool TrayIconCriado = false;

  const TLauncherConfiguration& Configuration() const { return FConfiguration; }
  const TModuleOptions& ModuleOptions() const { return *FModuleOptions; }
  const std::string& wCaminhoServidor() const { return FwCaminhoServidor; }
  const std::string& SelectedModule() const { return FSelectedModule; }
  TClickZone* Zone(const char* name) const;
  QWidget* WaitPanel() const { return pnlTemporizador; }
  TActivityIndicator* Indicator() const { return aciTemporizador; }
  QMenu* Menu() const { return PopupMenu; }
  QLabel* Logo(int which) const { return which == 1 ? imgAldeno1 : imgAldeno2; }
  int RunningRequests() const { return FRunningRequests; }

  // Runs a handler the way the windowing layer does: an error leaving it goes to the error box.
  void RunHandler(const std::function<void()>& handler);

  // Click handlers of the zones.
  void imgClick(QObject* Sender);
  void imgChecagemClick(QObject* Sender);
  void imgPainelClick(QObject* Sender);
  void imgSuporteRemotoClick(QObject* Sender);
  void imgEmailClick(QObject* Sender);

  // Menu items and the notification icon.
  void AbreoSistemadeGesttoHospitalar1Click();
  void FechaoSistemadeGesttoHospitalar1Click();
  void TrayMessage(int AMouseMessage);

  static constexpr int WM_LBUTTONDBLCLK = 515;
  static constexpr int WM_RBUTTONDOWN = 516;

protected:
  void showEvent(QShowEvent* event) override;   // FormShow
  void closeEvent(QCloseEvent* event) override; // FormClose
  void changeEvent(QEvent* event) override;

private:
  using TCompletion = void (TFrmMenu::*)(const TUpdateRequest&);

  void CreateComponents();
  void CreateWaitPanel();
  void CreatePopupMenu();
  void RegisterModules();
  void FormCreate();
  void LoadConfiguration();
  void AddTrayIcon();
  void Timer1Timer();
  void ApplicationEvents1Minimize();
  void LoadLogo(QLabel* ALogo, const char* AFileName);

  void RequestModule(const std::string& AModuleName, bool AAdditionalFiles);
  void RequestUpdate(const std::string& AModuleName, bool AAdditionalFiles,
                     const std::string& ASelectedModule, TCompletion AOnTerminate);
  void ShowWaitPanel(TUpdateRequest& ARequest);
  void HideWaitPanel();
  void UpdateFinished(const TUpdateRequest& ARequest);
  void ModuleUpdateFinished(const TUpdateRequest& ARequest);
  void StartModule(const std::string& APath);
  bool SourceConfigured() const;

  void CopyFileFromServer(const std::string& ASourceFolder, const std::string& ADestFolder,
                          const std::string& AFile);

  TLauncherEnvironment FEnvironment;
  std::unique_ptr<TModuleOptions> FModuleOptions;
  TLauncherConfiguration FConfiguration;
  std::string FwCaminhoServidor;
  std::string FwCaminhoDestino; // the remote-support copy's destination; never assigned
  bool wfecha = false;
  std::string FSelectedModule;
  platform::TDateTime FStart = 0.0;
  int FRunningRequests = 0;
  bool FShownOnce = false;
  bool FCopying = false; // the remote-support tool is being copied
  std::chrono::steady_clock::time_point FRestoredAt{}; // a minimise replayed soon after is undone
  platform::TStartupInfo StartupInfo;
  platform::TProcessInformation ProcessInformation;

  QLabel* imgPrincipal = nullptr;
  TClickZone* imgInternacao = nullptr;
  TClickZone* imgProntuario = nullptr;
  TClickZone* imgEstoque = nullptr;
  TClickZone* imgCompras = nullptr;
  TClickZone* imgFinanceiro = nullptr;
  TClickZone* imgAdmSistema = nullptr;
  TClickZone* imgCadGeral = nullptr;
  QLabel* imgAldeno1 = nullptr;
  TClickZone* imgChecagem = nullptr;
  TClickZone* imgPainel = nullptr;
  TClickZone* imgSuporteRemoto = nullptr;
  TClickZone* imgEmail = nullptr;
  TClickZone* imgControlEquip = nullptr;
  QLabel* imgAldeno2 = nullptr;
  QWidget* pnlTemporizador = nullptr;
  QLabel* Label1 = nullptr;
  TActivityIndicator* aciTemporizador = nullptr;
  QMenu* PopupMenu = nullptr;
  QSystemTrayIcon* TrayIcon = nullptr;
  QTimer Timer1;
};
