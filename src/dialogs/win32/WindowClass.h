#pragma once
#include <windows.h>

// What a window class of ours differs in; the rest is the same for all of them.
struct TWindowClass {
  const wchar_t* Name;
  WNDPROC Procedure;
  UINT Style = 0;
  HBRUSH Background = nullptr; // null: the window paints all of itself
  HICON Icon = nullptr;
  const wchar_t* Cursor = IDC_ARROW;
};

// Registers the class for this program; a class already registered is left as it is.
void RegisterWindowClass(const TWindowClass& windowClass);

// Copies the part of a bitmap that starts at (sourceLeft, sourceTop) to the device context's
// top-left corner.
void DrawBitmap(HDC dc, HBITMAP bitmap, int width, int height, int sourceLeft = 0,
                int sourceTop = 0);
