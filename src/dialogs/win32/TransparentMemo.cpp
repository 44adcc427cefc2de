#include "TransparentMemo.h"

namespace {
constexpr wchar_t ClassName[] = L"NorvaneTransparentMemo";
WNDPROC EditProcedure = DefWindowProcW; // the system's edit control, once registered

void SendRefresh(HWND window) { SendMessageW(window, TTransparentMemo::WM_MEMOREFRESH, 0, 0); }
void PostRefresh(HWND window) { PostMessageW(window, TTransparentMemo::WM_MEMOREFRESH, 0, 0); }
} // namespace

// The system's edit control with our procedure in front of it.
HWND TTransparentMemo::Create(HWND parent, const RECT& bounds, DWORD style, const wchar_t* text) {
  static const bool registered = [] {
    WNDCLASSEXW c{};
    c.cbSize = sizeof c;
    if (!GetClassInfoExW(nullptr, L"EDIT", &c))
      return false;
    EditProcedure = c.lpfnWndProc;
    c.lpfnWndProc = Procedure;
    c.hInstance = GetModuleHandleW(nullptr);
    c.lpszClassName = ClassName;
    return RegisterClassExW(&c) != 0;
  }();
  if (!registered)
    return nullptr;
  return CreateWindowExW(WS_EX_TRANSPARENT, ClassName, text, style | ES_MULTILINE, bounds.left,
                         bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
                         nullptr, GetModuleHandleW(nullptr), nullptr);
}

// The parent's area under the memo, then the memo itself.
void TTransparentMemo::Refresh(HWND window) {
  HWND parent = GetParent(window);
  if (!parent)
    return;
  RECT area;
  GetClientRect(window, &area);
  MapWindowPoints(window, parent, reinterpret_cast<POINT*>(&area), 2);
  InvalidateRect(parent, &area, TRUE);
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
}

LRESULT CALLBACK TTransparentMemo::Procedure(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
  const auto inherited = [&] { return CallWindowProcW(EditProcedure, window, message, wParam, lParam); };
  switch (message) {
  case WM_MEMOREFRESH:
    Refresh(window);
    return 0;
  case WM_VSCROLL:
  case WM_KEYDOWN: { // what was under the old content, then under the new
    SendRefresh(window);
    const LRESULT result = inherited();
    PostRefresh(window);
    return result;
  }
  case WM_HSCROLL:
  case WM_SETTEXT:
  case WM_MOUSEWHEEL: { // the wheel scrolls without a scroll message
    const LRESULT result = inherited();
    PostRefresh(window);
    return result;
  }
  case WM_LBUTTONUP: // a click may move the selection
    PostRefresh(window);
    return inherited();
  case WM_CTLCOLOREDIT: // as handed on by the parent
    SetBkMode(HDC(wParam), TRANSPARENT);
    return LRESULT(GetStockObject(NULL_BRUSH));
  case WM_ERASEBKGND:
    return 1;
  }
  return inherited();
}
