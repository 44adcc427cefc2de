#include "WindowClass.h"

void RegisterWindowClass(const TWindowClass& windowClass) {
  WNDCLASSW c{};
  c.style = windowClass.Style;
  c.lpfnWndProc = windowClass.Procedure;
  c.hInstance = GetModuleHandleW(nullptr);
  c.hIcon = windowClass.Icon;
  c.hCursor = LoadCursorW(nullptr, windowClass.Cursor);
  c.hbrBackground = windowClass.Background;
  c.lpszClassName = windowClass.Name;
  RegisterClassW(&c); // fails only for a name taken, which is then ours already
}

void DrawBitmap(HDC dc, HBITMAP bitmap, int width, int height, int sourceLeft, int sourceTop) {
  HDC source = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(source, bitmap);
  BitBlt(dc, 0, 0, width, height, source, sourceLeft, sourceTop, SRCCOPY);
  SelectObject(source, old);
  DeleteDC(source);
}
