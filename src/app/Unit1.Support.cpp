// The four zones that do not start a module: two local pages, remote support and mail.
#include "Unit1.h"

#include "FileCopy.h"
#include "Paths.h"
#include "QM.VCL.Dialogs.h"
#include "SupportActions.h"

#include <QEventLoop>
#include <QPointer>
#include <QProgressDialog>
#include <thread>

void TFrmMenu::imgChecagemClick(QObject*) { FEnvironment.OpenURL(FConfiguration.wLocalChecagem); }

void TFrmMenu::imgPainelClick(QObject*) { FEnvironment.OpenURL(FConfiguration.wLocalPainel); }

// The tool goes to the launcher's own folder, which is where it is then looked for.
void TFrmMenu::imgSuporteRemotoClick(QObject*) {
  const std::string folder = platform::ExtractFilePath(FEnvironment.ProgramPath);
  CopyFileFromServer(FwCaminhoServidor, folder, RemoteSupportToolName);
  const std::string tool = folder + RemoteSupportToolName;
  if (platform::FileExists(tool))
    platform::StartProgram(tool, StartupInfo, ProcessInformation);
}

// The copy runs on a thread of its own while the progress window shows the file and a moving
// bar and the menu stays responsive; the tool is started once the copy has ended.
void TFrmMenu::CopyFileFromServer(const std::string& ASourceFolder, const std::string& ADestFolder,
                                  const std::string& AFile) {
  if (FCopying || !PrepareSupportCopy(ASourceFolder, ADestFolder, AFile))
    return;
  FCopying = true;
  QProgressDialog progress(this);
  progress.setObjectName(QStringLiteral("CopyProgress"));
  progress.setWindowTitle(QStringLiteral("Copiando Arquivos"));
  progress.setLabelText(QString::fromStdString(AFile));
  progress.setCancelButton(nullptr);
  progress.setMinimumDuration(500); // small files copy without a window
  progress.setRange(0, 1000);
  progress.setValue(0);
  QEventLoop waiting;
  QPointer<QProgressDialog> shown(&progress);
  std::thread copy([&, source = ASourceFolder + AFile, target = ADestFolder + AFile] {
    try {
      platform::CopyFileWithProgress(
          source, target, [&](std::uint64_t copied, std::uint64_t total) {
            if (total > 0)
              QMetaObject::invokeMethod(&progress, [shown, value = int(copied * 1000 / total)] {
                if (shown)
                  shown->setValue(value);
              });
          });
    } catch (const std::exception&) {
      // The shell's copy reports nothing here either; the tool is then started or not as it is.
    }
    QMetaObject::invokeMethod(&waiting, [&waiting] { waiting.quit(); });
  });
  waiting.exec();
  copy.join();
  FCopying = false;
}

void TFrmMenu::imgEmailClick(QObject*) {
  const int result = FEnvironment.SendMail(SupportMailAddress);
  if (result == 0)
    return;
  ShowMessageDialog(QString::fromStdString(MailResultText(result)), TMsgDlgType::mtError, 0, 0, -1,
                    -1, QString());
}
