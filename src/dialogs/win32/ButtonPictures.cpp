#include "ButtonPictures.h"

#include <vector>

namespace {
void Lines(HDC dc, COLORREF colour, int width, const std::vector<POINT>& points) {
  HPEN pen = CreatePen(PS_SOLID, width, colour);
  HGDIOBJ old = SelectObject(dc, pen);
  Polyline(dc, points.data(), int(points.size()));
  SelectObject(dc, old);
  DeleteObject(pen);
}

// A point of the box, in sixteenths of its side.
POINT At(const RECT& box, int x, int y) {
  const int side = box.right - box.left;
  return {box.left + x * side / 16, box.top + y * side / 16};
}

void Check(HDC dc, const RECT& box, int dx = 0) {
  Lines(dc, RGB(0, 140, 0), 2, {At(box, 2 + dx, 8), At(box, 6 + dx, 12), At(box, 14 + dx, 3)});
}

void Cross(HDC dc, const RECT& box) {
  Lines(dc, RGB(200, 0, 0), 2, {At(box, 3, 3), At(box, 13, 13)});
  Lines(dc, RGB(200, 0, 0), 2, {At(box, 13, 3), At(box, 3, 13)});
}

void CircleSlash(HDC dc, const RECT& box) {
  HPEN pen = CreatePen(PS_SOLID, 2, RGB(200, 0, 0));
  HGDIOBJ oldPen = SelectObject(dc, pen);
  HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
  const POINT a = At(box, 2, 2), b = At(box, 14, 14);
  Ellipse(dc, a.x, a.y, b.x, b.y);
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldPen);
  DeleteObject(pen);
  Lines(dc, RGB(200, 0, 0), 2, {At(box, 4, 12), At(box, 12, 4)});
}

void CircleArrow(HDC dc, const RECT& box) {
  HPEN pen = CreatePen(PS_SOLID, 2, RGB(0, 90, 200));
  HGDIOBJ old = SelectObject(dc, pen);
  const POINT a = At(box, 2, 2), b = At(box, 14, 14), start = At(box, 14, 8), end = At(box, 8, 2);
  Arc(dc, a.x, a.y, b.x, b.y, start.x, start.y, end.x, end.y);
  SelectObject(dc, old);
  DeleteObject(pen);
  Lines(dc, RGB(0, 90, 200), 2, {At(box, 8, 0), At(box, 10, 2), At(box, 8, 4)});
}

void Arrow(HDC dc, const RECT& box) {
  Lines(dc, RGB(0, 90, 200), 2, {At(box, 2, 8), At(box, 14, 8)});
  Lines(dc, RGB(0, 90, 200), 2, {At(box, 9, 3), At(box, 14, 8), At(box, 9, 13)});
}

void Question(HDC dc, const RECT& box) {
  SetTextColor(dc, RGB(0, 90, 200));
  RECT r = box;
  DrawTextW(dc, L"?", 1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}
} // namespace

void DrawButtonPicture(HDC dc, const RECT& box, TButtonPicture picture) {
  switch (picture) {
  case TButtonPicture::Yes:
  case TButtonPicture::OK: Check(dc, box); break;
  case TButtonPicture::All:
    Check(dc, box, -2);
    Check(dc, box, 2);
    break;
  case TButtonPicture::Cancel: Cross(dc, box); break;
  case TButtonPicture::Abort: CircleSlash(dc, box); break;
  case TButtonPicture::Retry: CircleArrow(dc, box); break;
  case TButtonPicture::Ignore: Arrow(dc, box); break;
  case TButtonPicture::Help: Question(dc, box); break;
  case TButtonPicture::None: break;
  }
}

void DrawPictureButton(const DRAWITEMSTRUCT& item, TButtonPicture picture, bool isDefault) {
  HDC dc = item.hDC;
  RECT face = item.rcItem;
  const bool pressed = item.itemState & ODS_SELECTED;
  if (isDefault) { // the default button has a dark outline around its face
    FrameRect(dc, &face, HBRUSH(GetStockObject(BLACK_BRUSH)));
    InflateRect(&face, -1, -1);
  }
  DrawFrameControl(dc, &face, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
  wchar_t caption[64] = {};
  GetWindowTextW(item.hwndItem, caption, 64);
  SIZE text{};
  GetTextExtentPoint32W(dc, caption, lstrlenW(caption), &text);
  const int side = 16, gap = picture == TButtonPicture::None ? 0 : side + 4;
  const int shift = pressed ? 1 : 0;
  int left = (face.left + face.right - gap - text.cx) / 2 + shift;
  const int middle = (face.top + face.bottom) / 2 + shift;
  SetBkMode(dc, TRANSPARENT);
  if (gap) {
    const RECT box{left, middle - side / 2, left + side, middle + side / 2};
    DrawButtonPicture(dc, box, picture);
    left += gap;
  }
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  RECT label{left, face.top + shift, face.right, face.bottom + shift};
  DrawTextW(dc, caption, -1, &label, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
  if (item.itemState & ODS_FOCUS) {
    RECT focus = face;
    InflateRect(&focus, -3, -3);
    DrawFocusRect(dc, &focus);
  }
}
