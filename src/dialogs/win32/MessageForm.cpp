#include "MessageForm.h"

#include "ButtonPictures.h"
#include "DialogText.h"
#include "TransparentMemo.h"
#include "WideText.h"
#include "WindowClass.h"

#include <cstring>
#include <stdexcept>

namespace {
constexpr wchar_t FormClass[] = L"NorvaneMessageForm";
constexpr wchar_t BandClass[] = L"NorvaneMessageBand";
constexpr int Border = 2; // around the client area
constexpr int FirstButtonId = 100;
constexpr COLORREF FormColour = RGB(245, 245, 245);
constexpr COLORREF BandColour = RGB(212, 212, 212); // the form colour at luminance 200 of 240
constexpr BYTE ConstantAlpha = 245;
constexpr WPARAM DragByCaption = 0xF012; // SC_MOVE + HTCAPTION

const wchar_t* IconId(TMsgDlgType type) {
  switch (type) {
  case TMsgDlgType::mtWarning: return IDI_EXCLAMATION;
  case TMsgDlgType::mtError: return IDI_HAND;
  case TMsgDlgType::mtInformation: return IDI_ASTERISK;
  case TMsgDlgType::mtConfirmation: return IDI_QUESTION;
  default: return nullptr;
  }
}

HFONT Font(const wchar_t* face, int points, HDC dc) {
  return CreateFontW(-MulDiv(points, GetDeviceCaps(dc, LOGPIXELSY), 72), 0, 0, 0, FW_NORMAL, FALSE,
                     FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                     CLEARTYPE_QUALITY, DEFAULT_PITCH, face);
}

RECT Offset(const TRectI& r) {
  return {r.Left + Border, r.Top + Border, r.Left + Border + r.Width, r.Top + Border + r.Height};
}
} // namespace

TMessageForm::TMessageForm(const std::string& Msg, TMsgDlgType DlgType, TDialogButtons Buttons,
                           TDialogButton DefaultButton)
    : FDlgType(DlgType), FMessageText(WithCrLfBreaks(Msg)) {
  RegisterWindowClass({.Name = FormClass, .Procedure = DefWindowProcW, // replaced per window
                       .Style = CS_DROPSHADOW});
  FOwner = GetActiveWindow(); // the dialog is owned by the window that is active now
  FTitle = DlgType == TMsgDlgType::mtCustom ? std::string("Norvane - Marund")
                                            : std::string(DialogTitles[std::size_t(DlgType)]);
  HDC screen = GetDC(nullptr);
  FFont = Font(L"Segoe UI", 12, screen);
  FTitleFont = Font(L"Segoe UI Black", 12, screen);
  FButtonFont = Font(L"Segoe UI", 10, screen);
  ReleaseDC(nullptr, screen);
  FFormBrush = CreateSolidBrush(FormColour);
  FBandBrush = CreateSolidBrush(BandColour);

  const std::wstring message = platform::Widen(FMessageText);
  TLayoutInput input;
  input.DlgType = DlgType;
  input.Buttons = Buttons;
  input.DefaultButton = DefaultButton;
  Measure(input, message);
  FLayout = LayoutDialog(input);

  FWindow = CreateWindowExW(WS_EX_LAYERED, FormClass, platform::Widen(FTitle).c_str(),
                            WS_POPUP | WS_CLIPCHILDREN, FLayout.Left, FLayout.Top,
                            FLayout.ClientWidth + 2 * Border, FLayout.ClientHeight + 2 * Border,
                            FOwner, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!FWindow)
    throw std::runtime_error("The dialog window could not be created");
  SetWindowLongPtrW(FWindow, GWLP_USERDATA, LONG_PTR(this));
  SetWindowLongPtrW(FWindow, GWLP_WNDPROC, LONG_PTR(&TMessageForm::Procedure));
  SetLayeredWindowAttributes(FWindow, 0, ConstantAlpha, LWA_ALPHA);
  CreateChildren(message);
}

TMessageForm::~TMessageForm() {
  if (FWindow)
    DestroyWindow(FWindow);
  for (HGDIOBJ object : {HGDIOBJ(FFont), HGDIOBJ(FTitleFont), HGDIOBJ(FButtonFont),
                         HGDIOBJ(FFormBrush), HGDIOBJ(FBandBrush)})
    if (object)
      DeleteObject(object);
}

// The metrics of the layout, measured in the form's font: its average letter, each caption
// (once per process) and the message wrapped at half the screen's width.
void TMessageForm::Measure(TLayoutInput& input, const std::wstring& message) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, FFont);
  static const wchar_t Letters[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  SIZE extent{};
  GetTextExtentPoint32W(dc, Letters, 52, &extent);
  input.AvgCharWidth = extent.cx / 52;
  input.CharHeight = extent.cy;
  const TDialogButtons shown = EffectiveButtons(input.DlgType, input.Buttons);
  for (int bit = 0; bit < DialogButtonCount; ++bit) {
    if (!HasButton(shown, TDialogButton(bit)))
      continue;
    if (ButtonWidthCache[std::size_t(bit)] == 0) {
      const std::wstring caption = platform::Widen(ButtonTable[std::size_t(bit)].Caption);
      RECT r{0, 0, 0, 0};
      DrawTextW(dc, caption.c_str(), int(caption.size()), &r, DT_CALCRECT | DT_LEFT | DT_SINGLELINE);
      ButtonWidthCache[std::size_t(bit)] = r.right - r.left + 8;
    }
    input.CaptionWidths[std::size_t(bit)] = ButtonWidthCache[std::size_t(bit)];
  }
  input.ScreenWidth = GetSystemMetrics(SM_CXSCREEN);
  input.ScreenHeight = GetSystemMetrics(SM_CYSCREEN);
  RECT text{0, 0, input.ScreenWidth / 2, 0};
  DrawTextW(dc, message.c_str(), int(message.size()), &text,
            DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_EDITCONTROL);
  input.TextWidth = text.right;
  input.TextHeight = text.bottom;
  input.FrameWidth = input.FrameHeight = 2 * Border;
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
}

void TMessageForm::CreateChildren(const std::wstring& message) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  if (FLayout.Icon) {
    const RECT r = Offset(*FLayout.Icon);
    HWND icon = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_ICON, r.left, r.top,
                                32, 32, FWindow, nullptr, instance, nullptr);
    SendMessageW(icon, STM_SETICON, WPARAM(LoadIconW(nullptr, IconId(FDlgType))), 0);
  }
  const RECT m = Offset(FLayout.Memo);
  FMemo = TTransparentMemo::Create(
      FWindow, m, WS_CHILD | WS_VISIBLE | ES_READONLY | (FLayout.MemoScrollBar ? WS_VSCROLL : 0),
      message.c_str());
  SendMessageW(FMemo, WM_SETFONT, WPARAM(FFont), FALSE);

  RegisterWindowClass({.Name = BandClass, .Procedure = BandProcedure});
  const RECT b = Offset(FLayout.Band);
  FBand = CreateWindowExW(0, BandClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, b.left,
                          b.top, b.right - b.left, b.bottom - b.top, FWindow, nullptr, instance,
                          nullptr);
  SetWindowLongPtrW(FBand, GWLP_USERDATA, LONG_PTR(FBandBrush));
  for (const TLayoutButton& placed : FLayout.ButtonBounds) {
    const auto bit = std::size_t(placed.Button);
    HWND button = CreateWindowExW(
        0, L"BUTTON", platform::Widen(ButtonTable[bit].Caption).c_str(),
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW,
        placed.Bounds.Left, placed.Bounds.Top, placed.Bounds.Width, placed.Bounds.Height, FBand,
        reinterpret_cast<HMENU>(INT_PTR(FirstButtonId + int(bit))), instance, nullptr);
    SendMessageW(button, WM_SETFONT, WPARAM(FButtonFont), FALSE);
  }
}

HWND TMessageForm::Button(TDialogButton button) const {
  return GetDlgItem(FBand, FirstButtonId + int(button));
}

std::string TMessageForm::GetDialogText() const {
  TDialogButtons buttons = 0;
  for (const TLayoutButton& placed : FLayout.ButtonBounds)
    buttons |= ButtonBit(placed.Button);
  return DialogText(FTitle, FMessageText, buttons);
}

void TMessageForm::CopyToClipboard(const std::string& Text) {
  if (!OpenClipboard(nullptr))
    throw std::runtime_error("Cannot open clipboard: " + std::to_string(GetLastError()));
  struct TClose {
    ~TClose() { CloseClipboard(); }
  } close;
  const std::wstring text = platform::Widen(Text);
  const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, bytes);
  if (!block)
    throw std::runtime_error("Out of memory");
  void* memory = GlobalLock(block);
  if (!memory) {
    GlobalFree(block);
    throw std::runtime_error("The clipboard's memory could not be locked");
  }
  std::memcpy(memory, text.c_str(), bytes);
  GlobalUnlock(block);
  if (!EmptyClipboard() || !SetClipboardData(CF_UNICODETEXT, block)) {
    GlobalFree(block);
    throw std::runtime_error("The clipboard did not take the text");
  }
}

int TMessageForm::ShowModal() {
  if (FOwner)
    EnableWindow(FOwner, FALSE);
  ShowWindow(FWindow, SW_SHOW);
  if (HWND first = Button(FLayout.Default))
    SetFocus(first);
  MSG message;
  while (!FDone) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got <= 0) {
      PostQuitMessage(got == 0 ? int(message.wParam) : 1); // for the main loop to end too
      FResult = 0;
      break;
    }
    if (message.message == WM_KEYDOWN && (message.hwnd == FWindow || IsChild(FWindow, message.hwnd)))
      CopyKeyDown(message); // the key goes on to the focused control all the same
    if (!IsDialogMessageW(FWindow, &message)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
  if (FOwner) {
    EnableWindow(FOwner, TRUE);
    SetActiveWindow(FOwner);
  }
  ShowWindow(FWindow, SW_HIDE);
  return FResult;
}

// Ctrl+C (not with Shift or Alt) beeps and copies the whole dialog as text.
bool TMessageForm::CopyKeyDown(const MSG& message) {
  const auto down = [](int key) { return GetKeyState(key) < 0; };
  if (message.wParam != 'C' || !down(VK_CONTROL) || down(VK_SHIFT) || down(VK_MENU))
    return false;
  MessageBeep(0);
  try {
    CopyToClipboard(GetDialogText());
  } catch (const std::exception& e) {
    MessageBoxW(FWindow, platform::Widen(e.what()).c_str(), L"Norvane - Marund", MB_ICONERROR);
  }
  return true;
}

void TMessageForm::Press(TDialogButton button) {
  const int result = ButtonTable[std::size_t(button)].Result;
  if (result == 0)
    return; // Help: the dialog stays open; this launcher has no help file to open
  FResult = result;
  FDone = true;
}

void TMessageForm::Paint() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(FWindow, &paint);
  RECT all;
  GetClientRect(FWindow, &all);
  FillRect(dc, &all, FFormBrush);
  HGDIOBJ old = SelectObject(dc, FTitleFont);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 0, 0));
  RECT title{Border, Border + FLayout.Title.Top, Border + FLayout.ClientWidth, all.bottom};
  const std::wstring text = platform::Widen(FTitle);
  DrawTextW(dc, text.c_str(), int(text.size()), &title, DT_CENTER | DT_TOP | DT_SINGLELINE);
  SelectObject(dc, old);
  EndPaint(FWindow, &paint);
}

LRESULT CALLBACK TMessageForm::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<TMessageForm*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  return self ? self->Handle(message, wParam, lParam)
              : DefWindowProcW(window, message, wParam, lParam);
}

// The band paints itself grey and hands its buttons' clicks to the dialog.
LRESULT CALLBACK TMessageForm::BandProcedure(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
  switch (message) {
  case WM_ERASEBKGND: {
    RECT all;
    GetClientRect(window, &all);
    FillRect(HDC(wParam), &all, reinterpret_cast<HBRUSH>(GetWindowLongPtrW(window, GWLP_USERDATA)));
    return 1;
  }
  case WM_COMMAND:
  case WM_DRAWITEM:
    return SendMessageW(GetParent(window), message, wParam, lParam);
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT TMessageForm::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
  case WM_ERASEBKGND:
    return 1;
  case WM_PAINT:
    Paint();
    return 0;
  case WM_CTLCOLOREDIT: // an editable memo shows the dialog through it
    return SendMessageW(HWND(lParam), message, wParam, lParam);
  case WM_CTLCOLORSTATIC: // the read-only memo and the icon: the dialog's colour
    SetBkColor(HDC(wParam), FormColour);
    SetTextColor(HDC(wParam), RGB(0, 0, 0));
    return LRESULT(FFormBrush);
  case WM_ACTIVATE: // coming back to the dialog, the keys go to a button again
    if (LOWORD(wParam) != WA_INACTIVE && !IsChild(FWindow, GetFocus()))
      if (HWND first = Button(FLayout.Default))
        SetFocus(first);
    return 0;
  case WM_DRAWITEM: {
    const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    const int bit = int(item.CtlID) - FirstButtonId;
    if (bit < 0 || bit >= DialogButtonCount)
      return FALSE;
    DrawPictureButton(item, ButtonTable[std::size_t(bit)].Picture,
                      TDialogButton(bit) == FLayout.Default);
    return TRUE;
  }
  case DM_GETDEFID: // Enter presses the default button
    return MAKELRESULT(FirstButtonId + int(FLayout.Default), DC_HASDEFID);
  case WM_COMMAND: {
    const int id = LOWORD(wParam);
    if (id == IDCANCEL) { // Esc presses the button with the cancel mark
      if (FLayout.Cancel)
        Press(*FLayout.Cancel);
    } else if (id >= FirstButtonId && id < FirstButtonId + DialogButtonCount &&
               HIWORD(wParam) == BN_CLICKED) {
      Press(TDialogButton(id - FirstButtonId));
    }
    return 0;
  }
  case WM_CLOSE:
    if (FLayout.Cancel)
      Press(*FLayout.Cancel);
    return 0;
  case WM_LBUTTONDOWN:
  case WM_RBUTTONDOWN:
  case WM_MBUTTONDOWN: // the background or the title: the window follows the mouse
    ReleaseCapture();
    SendMessageW(FWindow, WM_SYSCOMMAND, DragByCaption, 0);
    return 0;
  }
  return DefWindowProcW(FWindow, message, wParam, lParam);
}
