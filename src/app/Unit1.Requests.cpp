// The update-then-start path of every module click and of the start-up update.
#include "Unit1.h"

#include "ActivityIndicator.h"
#include "Caption.h"
#include "FilesUpdater.h"
#include "Paths.h"
#include "QM.VCL.Dialogs.h"

#include <QCoreApplication>
#include <QPointer>

void TFrmMenu::imgClick(QObject* Sender) {
  TModuleOptions::TModuleInfo info;
  FModuleOptions->TryGetModule(Sender, info); // an unknown picture yields the empty record
  RequestModule(info.FModuleName, info.FAdditionalFiles);
}

void TFrmMenu::RequestModule(const std::string& AModuleName, bool AAdditionalFiles) {
  FSelectedModule = platform::JoinPath(FConfiguration.FLocalPath, AModuleName);
  RequestUpdate(AModuleName, AAdditionalFiles, FSelectedModule, &TFrmMenu::ModuleUpdateFinished);
}

bool TFrmMenu::SourceConfigured() const {
  const auto blank = FConfiguration.FUrl.find_first_not_of(" \t") == std::string::npos;
  return FConfiguration.FRemotePath != "\\" || !blank;
}

// Each request carries its own module and start; the panel stays while any request runs.
void TFrmMenu::RequestUpdate(const std::string& AModuleName, bool AAdditionalFiles,
                             const std::string& ASelectedModule, TCompletion AOnTerminate) {
  TUpdateRequest request{ASelectedModule, {}};
  if (!SourceConfigured()) {
    // No central installation to update from ("\" would mean the root of the disk).
    if (AOnTerminate == &TFrmMenu::ModuleUpdateFinished)
      StartModule(ASelectedModule);
    else if (FRunningRequests == 0)
      HideWaitPanel();
    return;
  }
  // Counted before the panel's paint lets earlier completions run, so none of them hides it.
  ++FRunningRequests;
  QPointer<TFrmMenu> self(this);
  try {
    ShowWaitPanel(request);
    TFilesUpdater::New(FConfiguration.FLocalPath, FConfiguration.FRemotePath, FConfiguration.FUrl,
                       [self, request, AOnTerminate] {
                         if (self)
                           self->RunHandler([&] { ((*self).*AOnTerminate)(request); });
                       })
        ->Execute(AModuleName, AAdditionalFiles);
  } catch (...) {
    --FRunningRequests; // no completion comes for it; the panel stays until another one ends
    throw;
  }
}

void TFrmMenu::ShowWaitPanel(TUpdateRequest& ARequest) {
  FStart = platform::Now();
  ARequest.Started = std::chrono::steady_clock::now();
  pnlTemporizador->setVisible(true);
  aciTemporizador->SetAnimate(true);
  // Paint the panel before the central listing holds this thread.
  QCoreApplication::processEvents();
}

void TFrmMenu::HideWaitPanel() {
  pnlTemporizador->setVisible(false);
  aciTemporizador->SetAnimate(false);
}

void TFrmMenu::UpdateFinished(const TUpdateRequest& ARequest) {
  if (--FRunningRequests <= 0) {
    FRunningRequests = 0;
    HideWaitPanel();
  }
  const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
      std::chrono::steady_clock::now() - ARequest.Started);
  setWindowTitle(QString::fromStdString(UpdateCaption(elapsed.count())));
}

void TFrmMenu::ModuleUpdateFinished(const TUpdateRequest& ARequest) {
  UpdateFinished(ARequest);
  StartModule(ARequest.SelectedModule);
}

void TFrmMenu::StartModule(const std::string& APath) {
  if (platform::FileExists(APath)) {
    platform::StartProgram(APath, StartupInfo, ProcessInformation); // a failure shows nothing
    return;
  }
  ShowMessageDialogFmt(QString::fromUtf8("Módulo não instalado.\r\n%s"), {APath},
                       TMsgDlgType::mtInformation, 0, 0);
}
