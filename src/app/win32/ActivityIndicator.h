#pragma once
#include <windows.h>

// The waiting panel's activity indicator: twelve white dots in a ring, the brightest one going
// round while it is animated. A child window of its own class.
namespace activity_indicator {

inline constexpr int LargeSize = 48;

HWND Create(HWND parent, int left, int top, int frameMilliseconds);
void SetAnimate(HWND indicator, bool animate);

} // namespace activity_indicator
