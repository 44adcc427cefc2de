#pragma once
#include <windows.h>

// A multi-line edit control through which its parent's background shows: it paints no
// background of its own and has its parent repaint the area under it whenever its content
// scrolls or changes. A parent that wants it see-through hands the control's WM_CTLCOLOREDIT
// on to it; a read-only one asks with WM_CTLCOLORSTATIC instead and keeps the colour it is given.
class TTransparentMemo {
public:
  static constexpr UINT WM_MEMOREFRESH = WM_USER + 1111;

  // An EDIT with ES_MULTILINE among the style bits given; any parent, or none.
  static HWND Create(HWND parent, const RECT& bounds, DWORD style, const wchar_t* text);

private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static void Refresh(HWND window);
};
