#include "ActivityIndicator.h"

#include "WindowClass.h"

#include <algorithm>
#include <cmath>

namespace activity_indicator {

namespace {
constexpr wchar_t ClassName[] = L"NorvaneActivityIndicator";
constexpr UINT_PTR FrameTimer = 1;

struct TState {
  int Frame = 0;
  int FrameMilliseconds = 30;
  bool Animate = false;
  COLORREF Background = 0;
};

TState* State(HWND window) {
  return reinterpret_cast<TState*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

// The dots are blended over the panel's colour by hand: GDI draws no alpha.
COLORREF Blend(COLORREF background, double white) {
  const auto mix = [&](int channel) { return int(channel + (255 - channel) * white); };
  return RGB(mix(GetRValue(background)), mix(GetGValue(background)), mix(GetBValue(background)));
}

void Paint(HWND window) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  const TState& state = *State(window);
  RECT client;
  GetClientRect(window, &client);
  HBRUSH background = CreateSolidBrush(state.Background);
  FillRect(dc, &client, background);
  DeleteObject(background);
  const double cx = client.right / 2.0, cy = client.bottom / 2.0;
  const double radius = std::min(client.right, client.bottom) / 2.0 - 5;
  SelectObject(dc, GetStockObject(NULL_PEN));
  for (int dot = 0; dot < 12; ++dot) {
    const int age = (state.Frame - dot + 12) % 12;
    const double strength = state.Animate ? std::max(0.15, 1.0 - age / 10.0) : 0.35;
    HBRUSH brush = CreateSolidBrush(Blend(state.Background, strength));
    HGDIOBJ old = SelectObject(dc, brush);
    const double angle = dot * 3.14159265358979 / 6;
    const int x = int(cx + std::cos(angle) * radius), y = int(cy + std::sin(angle) * radius);
    Ellipse(dc, x - 4, y - 4, x + 5, y + 5);
    SelectObject(dc, old);
    DeleteObject(brush);
  }
  EndPaint(window, &paint);
}

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
  case WM_NCCREATE:
    SetWindowLongPtrW(window, GWLP_USERDATA,
                      LONG_PTR(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    break;
  case WM_NCDESTROY:
    delete State(window);
    break;
  case WM_TIMER:
    State(window)->Frame = (State(window)->Frame + 1) % 12;
    InvalidateRect(window, nullptr, FALSE);
    return 0;
  case WM_ERASEBKGND:
    return 1;
  case WM_PAINT:
    Paint(window);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}
} // namespace

HWND Create(HWND parent, int left, int top, int frameMilliseconds) {
  RegisterWindowClass({.Name = ClassName, .Procedure = Procedure, .Cursor = IDC_APPSTARTING});
  auto* state = new TState;
  state->FrameMilliseconds = frameMilliseconds;
  // The panel's own colour, read from the brush it paints with.
  LOGBRUSH brush{};
  GetObjectW(reinterpret_cast<HBRUSH>(GetClassLongPtrW(parent, GCLP_HBRBACKGROUND)), sizeof brush,
             &brush);
  state->Background = brush.lbColor;
  HWND window = CreateWindowExW(0, ClassName, L"", WS_CHILD | WS_VISIBLE, left, top, LargeSize,
                                LargeSize, parent, nullptr, GetModuleHandleW(nullptr), state);
  if (!window)
    delete state;
  return window;
}

void SetAnimate(HWND indicator, bool animate) {
  TState* state = State(indicator);
  if (!state)
    return;
  state->Animate = animate;
  if (animate)
    SetTimer(indicator, FrameTimer, UINT(state->FrameMilliseconds), nullptr);
  else
    KillTimer(indicator, FrameTimer);
  InvalidateRect(indicator, nullptr, FALSE);
}

} // namespace activity_indicator
