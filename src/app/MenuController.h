#pragma once
#include "Configuration.h"
#include "DateTime.h"
#include "Process.h"

#include <chrono>
#include <functional>
#include <memory>
#include <string>

// What the launcher needs from the outside world; tests put their own pieces in.
struct TLauncherEnvironment {
  std::string ProgramPath;                          // the launcher's own file
  std::function<void(const std::string&)> ShowError; // the standard error box
  std::function<bool(const std::string&)> OpenURL;  // the shell's "open"
  std::function<int(const std::string&)> SendMail;  // the simple-mail service
};

// The menu window as the controller drives it; each system's shell draws it.
class IMenuView {
public:
  virtual ~IMenuView() = default;
  // The waiting panel, animated and painted before this returns: the central listing holds the
  // main thread next.
  virtual void ShowWaitPanel() = 0;
  virtual void HideWaitPanel() = 0;
  virtual void SetCaption(const std::string& caption) = 0;
  // The suite's information dialog saying "Módulo não instalado." and the path; returns once
  // it is closed.
  virtual void ShowModuleNotInstalled(const std::string& path) = 0;
  // The suite's error dialog with the simple-mail service's reason.
  virtual void ShowMailFailure(const std::string& text) = 0;
  // Copies `source` to `target` while a progress window names `file` and the menu stays
  // usable; returns once the copy has ended. A failed copy is not reported.
  virtual void CopyWithProgress(const std::string& source, const std::string& target,
                                const std::string& file) = 0;
};

// One update request: what it will start afterwards and when it began.
struct TUpdateRequest {
  std::string SelectedModule; // empty for the start-up update
  std::chrono::steady_clock::time_point Started;
};

// What the menu window does, without a toolkit: the update-then-start requests with their
// waiting panel and caption, the start-up update, and the four support actions.
class TMenuController {
public:
  TMenuController(IMenuView& view, TLauncherEnvironment environment);
  ~TMenuController();
  TMenuController(const TMenuController&) = delete;
  TMenuController& operator=(const TMenuController&) = delete;

  // Runs a handler the way the windowing layer does: an error leaving it goes to the error box.
  void RunHandler(const std::function<void()>& handler);

  // The creation handler's part: Norvane.ini beside the program, the start-up caption, the
  // report folder.
  void LoadConfiguration();

  void RequestModule(const std::string& AModuleName, bool AAdditionalFiles);
  void StartUpUpdate(); // the shared files only; nothing is started afterwards

  void OpenChecagem();
  void OpenPainel();
  void StartRemoteSupport();
  void SendSupportMail();

  const TLauncherConfiguration& Configuration() const { return FConfiguration; }
  const std::string& wCaminhoServidor() const { return FwCaminhoServidor; }
  const std::string& SelectedModule() const { return FSelectedModule; }
  int RunningRequests() const { return FRunningRequests; }

private:
  using TCompletion = void (TMenuController::*)(const TUpdateRequest&);

  void RequestUpdate(const std::string& AModuleName, bool AAdditionalFiles,
                     const std::string& ASelectedModule, TCompletion AOnTerminate);
  void ShowWaitPanel(TUpdateRequest& ARequest);
  void UpdateFinished(const TUpdateRequest& ARequest);
  void ModuleUpdateFinished(const TUpdateRequest& ARequest);
  void StartModule(const std::string& APath);
  bool SourceConfigured() const;
  void CopyFileFromServer(const std::string& ASourceFolder, const std::string& ADestFolder,
                          const std::string& AFile);

  IMenuView& FView;
  TLauncherEnvironment FEnvironment;
  TLauncherConfiguration FConfiguration;
  std::string FwCaminhoServidor;
  std::string FSelectedModule;
  platform::TDateTime FStart = 0.0;
  int FRunningRequests = 0;
  bool FCopying = false; // the remote-support tool is being copied
  platform::TStartupInfo StartupInfo = platform::TStartupInfo::NormalWindow();
  platform::TProcessInformation ProcessInformation;
  // Completions that arrive after the window has gone find it gone.
  std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);
};
