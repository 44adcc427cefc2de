#pragma once
#include "DialogTypes.h"
#include "MessageForm.h"
#include "MessageFormat.h"

#include <QString>
#include <vector>

// Chooses the default button from the set (OK, else Yes, else Retry) and builds the dialog.
TMessageForm* CreateMessageForm(const QString& Msg, TMsgDlgType DlgType, TDialogButtons Buttons);

// Shows the dialog modally and frees it in every case; X or Y of 0 or more replace that edge,
// both negative centre it on the screen. Returns the result of the button that ended it.
int ShowMessageForm(TMessageForm* Form, int HelpCtx, int X, int Y, const QString& HelpFileName);

int ShowMessageDialog(const QString& Msg, TMsgDlgType DlgType, TDialogButtons Buttons, int HelpCtx,
                      int X, int Y, const QString& HelpFileName);

// Formats first: a format that does not fit its arguments raises and shows nothing.
int ShowMessageDialogFmt(const QString& Msg, const std::vector<TFormatArg>& Args,
                         TMsgDlgType DlgType, TDialogButtons Buttons, int HelpCtx);
