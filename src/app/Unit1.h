#pragma once
#include "Configuration.h"
#include "ModuleOptions.h"
#include "Process.h"

#include <QWidget>
#include <functional>
#include <memory>

class TClickZone;

// What the window needs from the outside world; tests put their own pieces in.
struct TLauncherEnvironment {
  std::string ProgramPath;                       // the launcher's own file
  std::function<void(const QString&)> ShowError; // the standard error box
};

class TFrmMenu : public QWidget {
  Q_OBJECT
public:
  explicit TFrmMenu(TLauncherEnvironment AEnvironment, QWidget* AOwner = nullptr);
  ~TFrmMenu() override;

  bool TrayIconCriado = false;

  // Read-only views for the rest of the program and for tests.
  const TLauncherConfiguration& Configuration() const { return FConfiguration; }
  const TModuleOptions& ModuleOptions() const { return *FModuleOptions; }
  const std::string& wCaminhoServidor() const { return FwCaminhoServidor; }
  TClickZone* Zone(const char* name) const;

  // Runs a handler the way the windowing layer does: an error leaving it goes to the error box.
  void RunHandler(const std::function<void()>& handler);

private:
  void CreateComponents();
  void RegisterModules();
  void FormCreate();
  void LoadConfiguration();

  TLauncherEnvironment FEnvironment;
  std::unique_ptr<TModuleOptions> FModuleOptions;
  TLauncherConfiguration FConfiguration;
  std::string FwCaminhoServidor;
  std::string FwCaminhoDestino; // the remote-support copy's destination; never assigned
  bool wfecha = false;
  platform::TStartupInfo StartupInfo;
  platform::TProcessInformation ProcessInformation;

  TClickZone* imgInternacao = nullptr;
  TClickZone* imgProntuario = nullptr;
  TClickZone* imgEstoque = nullptr;
  TClickZone* imgCompras = nullptr;
  TClickZone* imgFinanceiro = nullptr;
  TClickZone* imgAdmSistema = nullptr;
  TClickZone* imgCadGeral = nullptr;
  TClickZone* imgChecagem = nullptr;
  TClickZone* imgPainel = nullptr;
  TClickZone* imgSuporteRemoto = nullptr;
  TClickZone* imgEmail = nullptr;
  TClickZone* imgControlEquip = nullptr;
};
