#include "TransparentMemo.h"

#include <gtest/gtest.h>

#include <string>

namespace {
constexpr UINT Refresh = TTransparentMemo::WM_MEMOREFRESH;

// A shown parent with a memo of ten long lines at (20, 30), both painted and clean.
struct TParentWithMemo {
  // Shown without taking the activation from another test's window on the same display.
  HWND Parent = CreateWindowExW(WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP, 0, 0,
                                300, 200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  HWND Memo;

  TParentWithMemo() {
    ShowWindow(Parent, SW_SHOWNOACTIVATE);
    std::wstring text;
    for (int i = 0; i < 10; ++i)
      text += L"uma linha bem mais larga do que a caixa em que está escrita\r\n";
    Memo = TTransparentMemo::Create(Parent, RECT{20, 30, 140, 90},
                                    WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL, text.c_str());
    UpdateWindow(Parent);
    UpdateWindow(Memo);
    Clean();
  }
  ~TParentWithMemo() { DestroyWindow(Parent); }

  void Clean() {
    HandleRefreshes();
    ValidateRect(Parent, nullptr);
    ValidateRect(Memo, nullptr);
  }
  // Only the memo's own refresh requests, not the paints they cause.
  void HandleRefreshes() {
    MSG m;
    while (PeekMessageW(&m, Memo, Refresh, Refresh, PM_REMOVE))
      DispatchMessageW(&m);
  }
  // The parent's area waiting to be repainted, in its client coordinates; empty when none.
  RECT ParentDirt() const {
    RECT r{};
    GetUpdateRect(Parent, &r, FALSE);
    return r;
  }
  RECT UnderMemo() const {
    RECT r;
    GetClientRect(Memo, &r);
    MapWindowPoints(Memo, Parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
  }
};

bool Same(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; }
bool Empty(const RECT& r) { return IsRectEmpty(&r) != FALSE; }
} // namespace

TEST(TransparentMemoWin32, RepaintsTheParentUnderItBeforeAndAfterWhatMovesItsContent) {
  struct TCase {
    const char* What;
    UINT Message;
    WPARAM WParam;
    bool BeforeToo; // the old content's area is repainted before the change, too
  } const cases[] = {
      {"typing", WM_KEYDOWN, VK_END, true},
      {"scrolling down", WM_VSCROLL, SB_LINEDOWN, true},
      {"scrolling sideways", WM_HSCROLL, SB_LINERIGHT, false},
      {"new text", WM_SETTEXT, 0, false},
      {"a click", WM_LBUTTONUP, 0, false},
      {"the wheel", WM_MOUSEWHEEL, WPARAM(MAKEWPARAM(0, -WHEEL_DELTA)), false},
  };
  TParentWithMemo window; // one for all: a shown window costs Wine seconds
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.What);
    window.Clean();
    const LPARAM lParam = c.Message == WM_SETTEXT ? LPARAM(L"outro texto")
                          : c.Message == WM_LBUTTONUP ? MAKELPARAM(5, 5)
                                                      : 0;
    SendMessageW(window.Memo, c.Message, c.WParam, lParam);
    if (c.BeforeToo)
      EXPECT_TRUE(Same(window.ParentDirt(), window.UnderMemo()));
    else
      EXPECT_TRUE(Empty(window.ParentDirt()));
    window.HandleRefreshes(); // the request posted after the change
    EXPECT_TRUE(Same(window.ParentDirt(), window.UnderMemo()));
    RECT own{};
    EXPECT_TRUE(GetUpdateRect(window.Memo, &own, FALSE)) << "the memo repaints itself after";
  }
}

TEST(TransparentMemoWin32, PaintsNoBackgroundOfItsOwn) {
  TParentWithMemo window;
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 8, 8);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(dc, bitmap);
  SetPixel(dc, 2, 2, RGB(200, 10, 10));

  EXPECT_EQ(SendMessageW(window.Memo, WM_ERASEBKGND, WPARAM(dc), 0), 1);
  EXPECT_EQ(GetPixel(dc, 2, 2), RGB(200, 10, 10));
  // The edit's colour question as the parent hands it on: no brush, text over what is there.
  EXPECT_EQ(HGDIOBJ(SendMessageW(window.Memo, WM_CTLCOLOREDIT, WPARAM(dc), LPARAM(window.Memo))),
            GetStockObject(NULL_BRUSH));
  EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
  EXPECT_TRUE(GetWindowLongPtrW(window.Memo, GWL_EXSTYLE) & WS_EX_TRANSPARENT);

  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
}

TEST(TransparentMemoWin32, WithoutAParentARefreshDoesNothing) {
  HWND memo = TTransparentMemo::Create(nullptr, RECT{0, 0, 100, 50}, WS_POPUP, L"só");
  ASSERT_TRUE(memo);
  SetWindowLongPtrW(memo, GWL_EXSTYLE,
                    GetWindowLongPtrW(memo, GWL_EXSTYLE) | WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW);
  ShowWindow(memo, SW_SHOWNOACTIVATE);
  UpdateWindow(memo);
  ValidateRect(memo, nullptr);
  EXPECT_EQ(SendMessageW(memo, Refresh, 0, 0), 0);
  RECT own{};
  EXPECT_FALSE(GetUpdateRect(memo, &own, FALSE));
  DestroyWindow(memo);
}
