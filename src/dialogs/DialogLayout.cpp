#include "DialogLayout.h"

#include <algorithm>
#include <cstdint>

std::array<int, DialogButtonCount> ButtonWidthCache{};

int WinMulDiv(int a, int b, int c) {
  if (c == 0)
    return -1;
  const std::int64_t product = std::int64_t{a} * b;
  const std::int64_t half = (c < 0 ? -c : c) / 2;
  const bool negative = (product < 0) != (c < 0);
  const std::int64_t magnitude = ((product < 0 ? -product : product) + half) / (c < 0 ? -c : c);
  return static_cast<int>(negative ? -magnitude : magnitude);
}

TDialogButtons EffectiveButtons(TMsgDlgType type, TDialogButtons buttons) {
  if (buttons != 0)
    return buttons;
  return type == TMsgDlgType::mtConfirmation
             ? ButtonBit(TDialogButton::Yes) | ButtonBit(TDialogButton::No)
             : ButtonBit(TDialogButton::OK);
}

TDialogButton ChooseDefaultButton(TDialogButtons buttons) {
  if (HasButton(buttons, TDialogButton::OK))
    return TDialogButton::OK;
  if (HasButton(buttons, TDialogButton::Yes))
    return TDialogButton::Yes;
  return TDialogButton::Retry;
}

namespace {
TDialogButton CancelChoice(TDialogButtons buttons) {
  if (HasButton(buttons, TDialogButton::Cancel))
    return TDialogButton::Cancel;
  if (HasButton(buttons, TDialogButton::No))
    return TDialogButton::No;
  return TDialogButton::OK;
}
} // namespace

TDialogLayout LayoutDialog(const TLayoutInput& in) {
  TDialogLayout out;
  out.Buttons = EffectiveButtons(in.DlgType, in.Buttons);
  out.HorzMargin = WinMulDiv(8, in.AvgCharWidth, 4);
  out.VertMargin = WinMulDiv(8, in.CharHeight, 8);
  out.HorzSpacing = WinMulDiv(10, in.AvgCharWidth, 4);
  out.VertSpacing = WinMulDiv(10, in.CharHeight, 8);
  out.ButtonWidth = WinMulDiv(50, in.AvgCharWidth, 4);
  out.ButtonHeight = WinMulDiv(14, in.CharHeight, 8);
  out.ButtonSpacing = WinMulDiv(4, in.AvgCharWidth, 4);

  int buttonCount = 0;
  for (int b = 0; b < DialogButtonCount; ++b)
    if (HasButton(out.Buttons, TDialogButton(b))) {
      out.ButtonWidth = std::max(out.ButtonWidth, in.CaptionWidths[b]);
      ++buttonCount;
    }

  const bool hasIcon = in.DlgType != TMsgDlgType::mtCustom;
  const int iconSpace = hasIcon ? 32 : 0;
  int iconTextWidth = 2 * out.HorzMargin + in.TextWidth;
  if (hasIcon)
    iconTextWidth += 32 + out.HorzSpacing;
  const int halfHeight = in.ScreenHeight / 2;
  out.ContentHeight = std::min(std::min(in.TextHeight, halfHeight) + 32 + out.VertMargin, halfHeight);
  const int groupWidth =
      buttonCount ? buttonCount * out.ButtonWidth + (buttonCount - 1) * out.ButtonSpacing : 0;

  if (hasIcon)
    out.Icon = TRectI{out.HorzMargin, out.VertMargin / 2, 32, 32};

  const int bodyWidth = std::max(in.FrameWidth + iconTextWidth + 2, 350);
  const int neededHeight = in.FrameHeight + in.TextHeight + 2;
  const int memoHeight = std::min(neededHeight, out.ContentHeight - 2 * out.VertMargin);
  out.MemoScrollBar = neededHeight > memoHeight;

  out.ClientWidth = out.HorzMargin / 2 + std::max(bodyWidth, groupWidth);
  out.ClientHeight = out.ContentHeight + out.ButtonHeight + out.VertSpacing + 2 * out.VertMargin;
  out.Title = TRectI{0, out.VertMargin - 6, out.ClientWidth, 0};
  out.Memo = TRectI{iconSpace + out.HorzMargin, out.VertMargin + 32,
                    bodyWidth - iconSpace - out.HorzMargin, memoHeight};
  if (in.RightToLeft)
    out.Memo.Left = out.ClientWidth - (iconSpace + out.HorzMargin) - out.Memo.Width;
  const int outerWidth = out.ClientWidth + in.FrameWidth;
  const int outerHeight = out.ClientHeight + in.FrameHeight;
  out.Left = in.ScreenWidth / 2 - outerWidth / 2;
  out.Top = in.ScreenHeight / 2 - outerHeight / 2;

  const int bandHeight = out.ClientHeight - out.ContentHeight - out.VertMargin;
  out.Band = TRectI{0, out.ClientHeight - bandHeight, out.ClientWidth, bandHeight};

  const TDialogButton cancel = CancelChoice(out.Buttons);
  if (HasButton(out.Buttons, cancel))
    out.Cancel = cancel;
  bool defaultPresent = HasButton(out.Buttons, in.DefaultButton);
  out.Default = in.DefaultButton;
  int x = (out.ClientWidth - groupWidth) / 2;
  for (int b = 0; b < DialogButtonCount; ++b) {
    const auto button = TDialogButton(b);
    if (!HasButton(out.Buttons, button))
      continue;
    if (!defaultPresent) {
      out.Default = button;
      defaultPresent = true;
    }
    out.ButtonBounds.push_back({button, {x, out.VertSpacing, out.ButtonWidth, out.ButtonHeight}});
    x += out.ButtonWidth + out.ButtonSpacing;
  }
  return out;
}
