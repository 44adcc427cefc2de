// The module clicks and the waiting panel, caption and dialog the requests show.
#include "Unit1.h"

#include "ActivityIndicator.h"
#include "QM.VCL.Dialogs.h"

#include <QCoreApplication>

void TFrmMenu::imgClick(QObject* Sender) {
  TModuleOptions::TModuleInfo info;
  FModuleOptions->TryGetModule(Sender, info); // an unknown picture yields the empty record
  FController.RequestModule(info.FModuleName, info.FAdditionalFiles);
}

void TFrmMenu::ShowWaitPanel() {
  pnlTemporizador->setVisible(true);
  aciTemporizador->SetAnimate(true);
  // Paint the panel before the central listing holds this thread.
  QCoreApplication::processEvents();
}

void TFrmMenu::HideWaitPanel() {
  pnlTemporizador->setVisible(false);
  aciTemporizador->SetAnimate(false);
}

void TFrmMenu::SetCaption(const std::string& caption) {
  setWindowTitle(QString::fromStdString(caption));
}

void TFrmMenu::ShowModuleNotInstalled(const std::string& path) {
  ShowMessageDialogFmt(QString::fromUtf8("Módulo não instalado.\r\n%s"), {path},
                       TMsgDlgType::mtInformation, 0, 0);
}
