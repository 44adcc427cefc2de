#pragma once
#include "MenuController.h"
#include "ModuleOptions.h"

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

// The menu window on Qt: it draws what the controller decides.
class TFrmMenu : public QWidget, private IMenuView {
  Q_OBJECT
public:
  explicit TFrmMenu(TLauncherEnvironment AEnvironment, QWidget* AOwner = nullptr);
  ~TFrmMenu() override; // FormDestroy

  bool TrayIconCriado = false;

  const TLauncherConfiguration& Configuration() const { return FController.Configuration(); }
  const TModuleOptions& ModuleOptions() const { return *FModuleOptions; }
  const std::string& wCaminhoServidor() const { return FController.wCaminhoServidor(); }
  const std::string& SelectedModule() const { return FController.SelectedModule(); }
  TClickZone* Zone(const char* name) const;
  QWidget* WaitPanel() const { return pnlTemporizador; }
  TActivityIndicator* Indicator() const { return aciTemporizador; }
  QMenu* Menu() const { return PopupMenu; }
  QLabel* Logo(int which) const { return which == 1 ? imgAldeno1 : imgAldeno2; }
  int RunningRequests() const { return FController.RunningRequests(); }

  // Runs a handler the way the windowing layer does: an error leaving it goes to the error box.
  void RunHandler(const std::function<void()>& handler) { FController.RunHandler(handler); }

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
  void CreateComponents();
  void CreateWaitPanel();
  void CreatePopupMenu();
  void AddPicture(const struct TMenuPicture& APicture);
  void FormCreate();
  void AddTrayIcon();
  void Timer1Timer();
  void ApplicationEvents1Minimize();
  void LoadLogo(QLabel* ALogo, const char* AFileName);

  // What the controller asks of the window.
  void ShowWaitPanel() override;
  void HideWaitPanel() override;
  void SetCaption(const std::string& caption) override;
  void ShowModuleNotInstalled(const std::string& path) override;
  void ShowMailFailure(const std::string& text) override;
  void CopyWithProgress(const std::string& source, const std::string& target,
                        const std::string& file) override;

  TMenuController FController;
  std::unique_ptr<TModuleOptions> FModuleOptions;
  bool wfecha = false;
  bool FShownOnce = false;
  std::chrono::steady_clock::time_point FRestoredAt{}; // a minimise replayed soon after is undone

  QLabel* imgPrincipal = nullptr; // the click zones are found by name (Zone)
  QLabel* imgAldeno1 = nullptr;
  QLabel* imgAldeno2 = nullptr;
  QWidget* pnlTemporizador = nullptr;
  QLabel* Label1 = nullptr;
  TActivityIndicator* aciTemporizador = nullptr;
  QMenu* PopupMenu = nullptr;
  QSystemTrayIcon* TrayIcon = nullptr;
  QTimer Timer1;
};
