#include "MenuController.h"

#include "Caption.h"
#include "FilesUpdater.h"
#include "Paths.h"
#include "SupportActions.h"

TMenuController::TMenuController(IMenuView& view, TLauncherEnvironment environment)
    : FView(view), FEnvironment(std::move(environment)) {}

TMenuController::~TMenuController() = default;

void TMenuController::RunHandler(const std::function<void()>& handler) {
  try {
    handler();
  } catch (const std::exception& e) {
    FEnvironment.ShowError(e.what());
  }
}

void TMenuController::LoadConfiguration() {
  FConfiguration = LoadLauncherConfiguration(FEnvironment.ProgramPath);
  FwCaminhoServidor = FConfiguration.FRemotePath;
  FView.SetCaption(StartupCaption);
  EnsureReportFolder(FConfiguration.FLocalPath);
}

void TMenuController::RequestModule(const std::string& AModuleName, bool AAdditionalFiles) {
  FSelectedModule = platform::JoinPath(FConfiguration.FLocalPath, AModuleName);
  RequestUpdate(AModuleName, AAdditionalFiles, FSelectedModule,
                &TMenuController::ModuleUpdateFinished);
}

void TMenuController::StartUpUpdate() {
  RequestUpdate("", true, "", &TMenuController::UpdateFinished);
}

bool TMenuController::SourceConfigured() const {
  const auto blank = FConfiguration.FUrl.find_first_not_of(" \t") == std::string::npos;
  return FConfiguration.FRemotePath != "\\" || !blank;
}

// Each request carries its own module and start; the panel stays while any request runs.
void TMenuController::RequestUpdate(const std::string& AModuleName, bool AAdditionalFiles,
                                    const std::string& ASelectedModule,
                                    TCompletion AOnTerminate) {
  TUpdateRequest request{ASelectedModule, {}};
  if (!SourceConfigured()) {
    // No central installation to update from ("\" would mean the root of the disk).
    if (AOnTerminate == &TMenuController::ModuleUpdateFinished)
      StartModule(ASelectedModule);
    else if (FRunningRequests == 0)
      FView.HideWaitPanel();
    return;
  }
  // Counted before the panel's paint lets earlier completions run, so none of them hides it.
  ++FRunningRequests;
  try {
    ShowWaitPanel(request);
    TFilesUpdater::New(FConfiguration.FLocalPath, FConfiguration.FRemotePath, FConfiguration.FUrl,
                       [this, alive = std::weak_ptr<bool>(FAlive), request, AOnTerminate] {
                         if (alive.lock())
                           RunHandler([&] { (this->*AOnTerminate)(request); });
                       })
        ->Execute(AModuleName, AAdditionalFiles);
  } catch (...) {
    --FRunningRequests; // no completion comes for it; the panel stays until another one ends
    throw;
  }
}

void TMenuController::ShowWaitPanel(TUpdateRequest& ARequest) {
  FStart = platform::Now();
  ARequest.Started = std::chrono::steady_clock::now();
  FView.ShowWaitPanel();
}

void TMenuController::UpdateFinished(const TUpdateRequest& ARequest) {
  if (--FRunningRequests <= 0) {
    FRunningRequests = 0;
    FView.HideWaitPanel();
  }
  const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
      std::chrono::steady_clock::now() - ARequest.Started);
  FView.SetCaption(UpdateCaption(elapsed.count()));
}

void TMenuController::ModuleUpdateFinished(const TUpdateRequest& ARequest) {
  UpdateFinished(ARequest);
  StartModule(ARequest.SelectedModule);
}

void TMenuController::StartModule(const std::string& APath) {
  if (platform::FileExists(APath)) {
    platform::StartProgram(APath, StartupInfo, ProcessInformation); // a failure shows nothing
    return;
  }
  FView.ShowModuleNotInstalled(APath);
}

void TMenuController::OpenChecagem() { FEnvironment.OpenURL(FConfiguration.wLocalChecagem); }

void TMenuController::OpenPainel() { FEnvironment.OpenURL(FConfiguration.wLocalPainel); }

// The tool goes to the launcher's own folder, which is where it is then looked for.
void TMenuController::StartRemoteSupport() {
  const std::string folder = platform::ExtractFilePath(FEnvironment.ProgramPath);
  CopyFileFromServer(FwCaminhoServidor, folder, RemoteSupportToolName);
  const std::string tool = folder + RemoteSupportToolName;
  if (platform::FileExists(tool))
    platform::StartProgram(tool, StartupInfo, ProcessInformation);
}

// One copy at a time: a second click while the tool is copied finds it still on its way.
void TMenuController::CopyFileFromServer(const std::string& ASourceFolder,
                                         const std::string& ADestFolder, const std::string& AFile) {
  if (FCopying || !PrepareSupportCopy(ASourceFolder, ADestFolder, AFile))
    return;
  FCopying = true;
  struct TDone {
    bool& Copying;
    ~TDone() { Copying = false; }
  } done{FCopying};
  FView.CopyWithProgress(ASourceFolder + AFile, ADestFolder + AFile, AFile);
}

void TMenuController::SendSupportMail() {
  const int result = FEnvironment.SendMail(SupportMailAddress);
  if (result != 0)
    FView.ShowMailFailure(MailResultText(result));
}
