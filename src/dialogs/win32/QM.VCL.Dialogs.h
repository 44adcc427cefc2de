#pragma once
#include "DialogTypes.h"
#include "MessageForm.h"
#include "MessageFormat.h"

#include <memory>
#include <string>
#include <vector>

// The dialog functions on Win32; texts are UTF-8.

// Chooses the default button from the set (OK, else Yes, else Retry) and builds the dialog.
std::unique_ptr<TMessageForm> CreateMessageForm(const std::string& Msg, TMsgDlgType DlgType,
                                                TDialogButtons Buttons);

// Shows the dialog modally and frees it; X or Y of 0 or more replace that edge, both negative
// centre it on the screen. Returns the result of the button that ended it.
int ShowMessageForm(std::unique_ptr<TMessageForm> Form, int HelpCtx, int X, int Y,
                    const std::string& HelpFileName);

int ShowMessageDialog(const std::string& Msg, TMsgDlgType DlgType, TDialogButtons Buttons,
                      int HelpCtx, int X, int Y, const std::string& HelpFileName);

// Formats first: a format that does not fit its arguments raises and shows nothing.
int ShowMessageDialogFmt(const std::string& Msg, const std::vector<TFormatArg>& Args,
                         TMsgDlgType DlgType, TDialogButtons Buttons, int HelpCtx);
