#pragma once
#include "MenuLayout.h"

#include <windows.h>

// The menu window's children that are windows of their own classes.
namespace child_windows {

// The parent's composed background (an HBITMAP property), which the zones show through.
inline constexpr wchar_t BackgroundProperty[] = L"NorvaneBackground";

// A click on a zone arrives at the parent as WM_COMMAND with the zone's id.
HWND CreateClickZone(HWND parent, const TMenuRect& bounds, int id);

// A logo showing `bitmap` (owned by the logo from here on), sized to it.
HWND CreateLogo(HWND parent, int left, int top, HBITMAP bitmap);
// Shows another picture, sized to it, its top-left corner in place; the old one is freed.
void SetLogoPicture(HWND logo, HBITMAP bitmap);

// The waiting panel in its colour with its text in `font`.
HWND CreateWaitPanel(HWND parent, HFONT font);

} // namespace child_windows
