// The four zones that do not start a module: two local pages, remote support and mail.
#include "Unit1.h"

#include "FileCopy.h"
#include "QM.VCL.Dialogs.h"

#include <QEventLoop>
#include <QPointer>
#include <QProgressDialog>
#include <thread>

void TFrmMenu::imgChecagemClick(QObject*) { FController.OpenChecagem(); }

void TFrmMenu::imgPainelClick(QObject*) { FController.OpenPainel(); }

void TFrmMenu::imgSuporteRemotoClick(QObject*) { FController.StartRemoteSupport(); }

void TFrmMenu::imgEmailClick(QObject*) { FController.SendSupportMail(); }

// The copy runs on a thread of its own while the progress window shows the file and a moving
// bar and the menu stays responsive.
void TFrmMenu::CopyWithProgress(const std::string& source, const std::string& target,
                                const std::string& file) {
  QProgressDialog progress(this);
  progress.setObjectName(QStringLiteral("CopyProgress"));
  progress.setWindowTitle(QStringLiteral("Copiando Arquivos"));
  progress.setLabelText(QString::fromStdString(file));
  progress.setCancelButton(nullptr);
  progress.setMinimumDuration(500); // small files copy without a window
  progress.setRange(0, 1000);
  progress.setValue(0);
  QEventLoop waiting;
  QPointer<QProgressDialog> shown(&progress);
  std::thread copy([&] {
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
}

void TFrmMenu::ShowMailFailure(const std::string& text) {
  ShowMessageDialog(QString::fromStdString(text), TMsgDlgType::mtError, 0, 0, -1, -1, QString());
}
