#include "QM.VCL.Dialogs.h"

#include "DialogOwner.h"

#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <memory>

TMessageForm* CreateMessageForm(const QString& Msg, TMsgDlgType DlgType, TDialogButtons Buttons) {
  return CreateMessageForm(Msg, DlgType, Buttons, ChooseDefaultButton(Buttons));
}

int ShowMessageForm(TMessageForm* Form, int HelpCtx, int X, int Y, const QString& HelpFileName) {
  std::unique_ptr<TMessageForm> owned(Form);
  const QPointer<TMessageForm> alive(Form);
  Form->HelpContext = HelpCtx;
  Form->HelpFile = HelpFileName;
  MakeModalToOwner(Form);
  if (X >= 0)
    Form->move(X, Form->y());
  if (Y >= 0)
    Form->move(Form->x(), Y);
  if (X < 0 && Y < 0) {
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    Form->move(screen.x() + screen.width() / 2 - Form->width() / 2,
               screen.y() + screen.height() / 2 - Form->height() / 2);
  }
  const int result = Form->exec();
  if (!alive)
    owned.release(); // its owner went first and took it along
  return result;
}

int ShowMessageDialog(const QString& Msg, TMsgDlgType DlgType, TDialogButtons Buttons, int HelpCtx,
                      int X, int Y, const QString& HelpFileName) {
  return ShowMessageForm(CreateMessageForm(Msg, DlgType, Buttons), HelpCtx, X, Y, HelpFileName);
}

int ShowMessageDialogFmt(const QString& Msg, const std::vector<TFormatArg>& Args,
                         TMsgDlgType DlgType, TDialogButtons Buttons, int HelpCtx) {
  const std::string text = FormatText(Msg.toStdString(), Args);
  return ShowMessageDialog(QString::fromStdString(text), DlgType, Buttons, HelpCtx, -1, -1,
                           QString());
}
