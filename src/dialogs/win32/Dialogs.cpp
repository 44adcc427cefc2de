#include "QM.VCL.Dialogs.h"

#include "DialogLayout.h"

std::unique_ptr<TMessageForm> CreateMessageForm(const std::string& Msg, TMsgDlgType DlgType,
                                                TDialogButtons Buttons) {
  return std::make_unique<TMessageForm>(Msg, DlgType, Buttons, ChooseDefaultButton(Buttons));
}

int ShowMessageForm(std::unique_ptr<TMessageForm> Form, int HelpCtx, int X, int Y,
                    const std::string& HelpFileName) {
  Form->HelpContext = HelpCtx;
  Form->HelpFile = HelpFileName;
  HWND window = Form->Handle();
  RECT outer;
  GetWindowRect(window, &outer);
  int left = outer.left, top = outer.top;
  if (X >= 0)
    left = X;
  if (Y >= 0)
    top = Y;
  if (X < 0 && Y < 0) {
    left = GetSystemMetrics(SM_CXSCREEN) / 2 - (outer.right - outer.left) / 2;
    top = GetSystemMetrics(SM_CYSCREEN) / 2 - (outer.bottom - outer.top) / 2;
  }
  SetWindowPos(window, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  return Form->ShowModal();
}

int ShowMessageDialog(const std::string& Msg, TMsgDlgType DlgType, TDialogButtons Buttons,
                      int HelpCtx, int X, int Y, const std::string& HelpFileName) {
  return ShowMessageForm(CreateMessageForm(Msg, DlgType, Buttons), HelpCtx, X, Y, HelpFileName);
}

int ShowMessageDialogFmt(const std::string& Msg, const std::vector<TFormatArg>& Args,
                         TMsgDlgType DlgType, TDialogButtons Buttons, int HelpCtx) {
  const std::string text = FormatText(Msg, Args);
  return ShowMessageDialog(text, DlgType, Buttons, HelpCtx, -1, -1, std::string());
}
