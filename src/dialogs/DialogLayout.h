#pragma once
#include "DialogTypes.h"

#include <optional>
#include <vector>

struct TRectI {
  int Left = 0, Top = 0, Width = 0, Height = 0;
  bool operator==(const TRectI&) const = default;
};

// What the layout needs to know, all measured in the form's font.
struct TLayoutInput {
  TMsgDlgType DlgType = TMsgDlgType::mtInformation;
  TDialogButtons Buttons = 0; // as the caller passed them; empty means the type's usual ones
  TDialogButton DefaultButton = TDialogButton::OK;
  int AvgCharWidth = 0, CharHeight = 0;
  std::array<int, DialogButtonCount> CaptionWidths{}; // caption width + 8, per button
  int TextWidth = 0, TextHeight = 0;                  // the message wrapped at half the screen
  int ScreenWidth = 0, ScreenHeight = 0;
  int FrameWidth = 4, FrameHeight = 4; // outer size less client size
  bool RightToLeft = false;            // the memo's edge is then mirrored
};

struct TLayoutButton {
  TDialogButton Button;
  TRectI Bounds; // inside the band
};

struct TDialogLayout {
  TDialogButtons Buttons = 0;
  int HorzMargin = 0, VertMargin = 0, HorzSpacing = 0, VertSpacing = 0;
  int ButtonWidth = 0, ButtonHeight = 0, ButtonSpacing = 0;
  int ContentHeight = 0;
  std::optional<TRectI> Icon;
  TRectI Title, Memo, Band;
  bool MemoScrollBar = false;
  int ClientWidth = 0, ClientHeight = 0;
  int Left = 0, Top = 0; // outer top-left corner, centred on the screen
  std::vector<TLayoutButton> ButtonBounds;
  TDialogButton Default = TDialogButton::OK;
  std::optional<TDialogButton> Cancel;
};

// Windows' MulDiv (a name of our own, which windows.h does not take): a*b/c, 64-bit in
// between, rounded half away from zero.
int WinMulDiv(int a, int b, int c);

TDialogButtons EffectiveButtons(TMsgDlgType type, TDialogButtons buttons);

// The dialog's geometry: metrics in, rectangles out.
TDialogLayout LayoutDialog(const TLayoutInput& input);

// The default that the entry points ask for: OK, else Yes, else Retry.
TDialogButton ChooseDefaultButton(TDialogButtons buttons);
