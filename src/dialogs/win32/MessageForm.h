#pragma once
#include "DialogLayout.h"
#include "DialogTypes.h"

#include <windows.h>

#include <string>

// The suite's own message box on Win32: borderless, layered at 245 of 255, with the system's
// drop shadow; a title line, the type's system icon, the message in a read-only memo of the
// dialog's colour and a grey band of buttons with their Portuguese captions.
class TMessageForm {
public:
  // Built hidden, owned by the window that is active now (the dialog is modal to it).
  TMessageForm(const std::string& Msg, TMsgDlgType DlgType, TDialogButtons Buttons,
               TDialogButton DefaultButton);
  ~TMessageForm();
  TMessageForm(const TMessageForm&) = delete;
  TMessageForm& operator=(const TMessageForm&) = delete;

  HWND Handle() const { return FWindow; }
  const TDialogLayout& Layout() const { return FLayout; }
  HWND Button(TDialogButton button) const;
  HWND Memo() const { return FMemo; }

  int HelpContext = 0;
  std::string HelpFile;

  // Title, message and button line, framed by lines of hyphens, CR LF between lines.
  std::string GetDialogText() const;
  // Raises when the clipboard cannot be opened.
  static void CopyToClipboard(const std::string& Text);

  // Shows the dialog modally, its owner disabled meanwhile; the result of the button that
  // ended it (0 when the program was asked to end meanwhile).
  int ShowModal();

private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK BandProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  void Measure(TLayoutInput& input, const std::wstring& message);
  void CreateChildren(const std::wstring& message);
  void Paint();
  void Press(TDialogButton button);
  bool CopyKeyDown(const MSG& message);

  TMsgDlgType FDlgType;
  std::string FTitle, FMessageText; // the message with CR LF breaks
  TDialogLayout FLayout;
  HWND FOwner = nullptr, FWindow = nullptr, FMemo = nullptr, FBand = nullptr;
  HFONT FFont = nullptr, FTitleFont = nullptr, FButtonFont = nullptr;
  HBRUSH FFormBrush = nullptr, FBandBrush = nullptr;
  int FResult = 0;
  bool FDone = false;
};
