// The four zones that do not start a module: two local pages, remote support and mail.
#include "Unit1.h"

#include "FileCopy.h"
#include "Paths.h"
#include "QM.VCL.Dialogs.h"
#include "SupportActions.h"

#include <QProgressDialog>

void TFrmMenu::imgChecagemClick(QObject*) { FEnvironment.OpenURL(FConfiguration.wLocalChecagem); }

void TFrmMenu::imgPainelClick(QObject*) { FEnvironment.OpenURL(FConfiguration.wLocalPainel); }

// The tool goes to the launcher's own folder, which is where it is then looked for.
void TFrmMenu::imgSuporteRemotoClick(QObject*) {
  const std::string folder = platform::ExtractFilePath(FEnvironment.ProgramPath);
  CopyFileFromServer(FwCaminhoServidor, folder, RemoteSupportToolName);
  const std::string tool = folder + RemoteSupportToolName;
  if (platform::FileExists(tool))
    platform::CreateProcess(tool, StartupInfo, ProcessInformation);
}

void TFrmMenu::CopyFileFromServer(const std::string& ASourceFolder, const std::string& ADestFolder,
                                  const std::string& AFile) {
  if (!PrepareSupportCopy(ASourceFolder, ADestFolder, AFile))
    return;
  QProgressDialog progress(this);
  progress.setWindowTitle(QStringLiteral("Copiando Arquivos"));
  progress.setCancelButton(nullptr);
  progress.setMinimumDuration(500); // small files copy without a window
  progress.setRange(0, 1000);
  try {
    platform::CopyFileWithProgress(ASourceFolder + AFile, ADestFolder + AFile,
                                   [&](std::uint64_t copied, std::uint64_t total) {
                                     if (total > 0)
                                       progress.setValue(int(copied * 1000 / total));
                                   });
  } catch (const std::exception&) {
    // The shell's copy reports nothing here either; the tool is then started or not as it is.
  }
}

void TFrmMenu::imgEmailClick(QObject*) {
  const int result = FEnvironment.SendMail(SupportMailAddress);
  if (result == 0)
    return;
  ShowMessageDialog(QString::fromStdString(MailResultText(result)), TMsgDlgType::mtError, 0, 0, -1,
                    -1, QString());
}
