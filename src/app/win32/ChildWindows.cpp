#include "ChildWindows.h"

#include "WideText.h"
#include "WindowClass.h"

namespace child_windows {

namespace {
constexpr wchar_t ZoneClass[] = L"NorvaneClickZone";
constexpr wchar_t LogoClass[] = L"NorvaneLogo";
constexpr wchar_t PanelClass[] = L"NorvaneWaitPanel";

// Shows the part of the parent's background that lies beneath it.
void PaintWhatLiesBeneath(HWND zone) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(zone, &paint);
  HWND parent = GetParent(zone);
  if (auto background = static_cast<HBITMAP>(GetPropW(parent, BackgroundProperty))) {
    POINT origin{0, 0};
    MapWindowPoints(zone, parent, &origin, 1);
    RECT client;
    GetClientRect(zone, &client);
    DrawBitmap(dc, background, client.right, client.bottom, origin.x, origin.y);
  }
  EndPaint(zone, &paint);
}

// Looks like what lies beneath it; the hand cursor; a press and a release inside make a click.
LRESULT CALLBACK ZoneProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
  case WM_ERASEBKGND:
    return 1;
  case WM_PAINT:
    PaintWhatLiesBeneath(window);
    return 0;
  case WM_LBUTTONDOWN:
    SetCapture(window);
    return 0;
  case WM_LBUTTONUP: {
    if (GetCapture() != window)
      return 0;
    ReleaseCapture();
    RECT client;
    GetClientRect(window, &client);
    const POINT at{short(LOWORD(lParam)), short(HIWORD(lParam))};
    if (PtInRect(&client, at))
      PostMessageW(GetParent(window), WM_COMMAND, GetDlgCtrlID(window), LPARAM(window));
    return 0;
  }
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

HBITMAP Picture(HWND logo) { return reinterpret_cast<HBITMAP>(GetWindowLongPtrW(logo, GWLP_USERDATA)); }

void SizeToPicture(HWND logo) {
  BITMAP info{};
  GetObjectW(Picture(logo), sizeof info, &info);
  SetWindowPos(logo, nullptr, 0, 0, info.bmWidth, info.bmHeight,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  InvalidateRect(logo, nullptr, FALSE);
}

LRESULT CALLBACK LogoProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
  case WM_ERASEBKGND:
    return 1;
  case WM_PAINT: {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    BITMAP info{};
    GetObjectW(Picture(window), sizeof info, &info);
    DrawBitmap(dc, Picture(window), info.bmWidth, info.bmHeight);
    EndPaint(window, &paint);
    return 0;
  }
  case WM_NCDESTROY:
    DeleteObject(Picture(window));
    break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK PanelProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
  case WM_PAINT: {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(GetWindowLongPtrW(window, GWLP_USERDATA)));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 255, 255));
    RECT label{WaitLabelBounds.Left, WaitLabelBounds.Top,
               WaitLabelBounds.Left + WaitLabelBounds.Width,
               WaitLabelBounds.Top + WaitLabelBounds.Height};
    const std::wstring text = platform::Widen(WaitPanelText);
    DrawTextW(dc, text.c_str(), int(text.size()), &label, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOCLIP);
    SelectObject(dc, old);
    EndPaint(window, &paint);
    return 0;
  }
  }
  return DefWindowProcW(window, message, wParam, lParam);
}
} // namespace

HWND CreateClickZone(HWND parent, const TMenuRect& bounds, int id) {
  RegisterWindowClass({.Name = ZoneClass, .Procedure = ZoneProcedure, .Cursor = IDC_HAND});
  return CreateWindowExW(0, ZoneClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, bounds.Left, bounds.Top,
                         bounds.Width, bounds.Height, parent, reinterpret_cast<HMENU>(INT_PTR(id)),
                         GetModuleHandleW(nullptr), nullptr);
}

HWND CreateLogo(HWND parent, int left, int top, HBITMAP bitmap) {
  RegisterWindowClass({.Name = LogoClass, .Procedure = LogoProcedure, .Cursor = IDC_HAND});
  HWND logo = CreateWindowExW(0, LogoClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, left, top, 1, 1, parent,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
  SetWindowLongPtrW(logo, GWLP_USERDATA, LONG_PTR(bitmap));
  SizeToPicture(logo);
  return logo;
}

void SetLogoPicture(HWND logo, HBITMAP bitmap) {
  HBITMAP old = Picture(logo);
  SetWindowLongPtrW(logo, GWLP_USERDATA, LONG_PTR(bitmap));
  DeleteObject(old);
  SizeToPicture(logo);
}

HWND CreateWaitPanel(HWND parent, HFONT font) {
  static const HBRUSH panelColour = CreateSolidBrush(RGB(WaitPanelRed, WaitPanelGreen, WaitPanelBlue));
  RegisterWindowClass({.Name = PanelClass, .Procedure = PanelProcedure, .Background = panelColour,
                       .Cursor = IDC_APPSTARTING});
  const TMenuRect& r = WaitPanelBounds;
  HWND panel = CreateWindowExW(0, PanelClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, r.Left,
                               r.Top, r.Width, r.Height, parent, nullptr, GetModuleHandleW(nullptr),
                               nullptr);
  SetWindowLongPtrW(panel, GWLP_USERDATA, LONG_PTR(font));
  return panel;
}

} // namespace child_windows
