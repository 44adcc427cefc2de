#include "DialogLayout.h"

#include <gtest/gtest.h>

namespace {
constexpr TDialogButtons Bit(TDialogButton b) { return ButtonBit(b); }
using B = TDialogButton;

// Metrics of a 12-point face on a 1920 x 1080 screen.
TLayoutInput Input(TMsgDlgType type, TDialogButtons buttons, int textWidth, int textHeight) {
  TLayoutInput in;
  in.DlgType = type;
  in.Buttons = buttons;
  in.DefaultButton = ChooseDefaultButton(buttons);
  in.AvgCharWidth = 9;
  in.CharHeight = 21;
  in.CaptionWidths.fill(40);
  in.TextWidth = textWidth;
  in.TextHeight = textHeight;
  in.ScreenWidth = 1920;
  in.ScreenHeight = 1080;
  return in;
}
} // namespace

TEST(DialogLayout, MulDivRoundsHalvesAwayFromZero) {
  EXPECT_EQ(WinMulDiv(8, 9, 4), 18);
  EXPECT_EQ(WinMulDiv(10, 9, 4), 23);   // 22.5
  EXPECT_EQ(WinMulDiv(14, 21, 8), 37);  // 36.75
  EXPECT_EQ(WinMulDiv(-10, 9, 4), -23); // -22.5
  EXPECT_EQ(WinMulDiv(1, 1, 0), -1);
}

TEST(DialogLayout, DerivesMetricsFromTheFont) {
  const TDialogLayout l = LayoutDialog(Input(TMsgDlgType::mtInformation, 0, 30, 21));
  EXPECT_EQ(l.HorzMargin, 18);
  EXPECT_EQ(l.VertMargin, 21);
  EXPECT_EQ(l.HorzSpacing, 23);
  EXPECT_EQ(l.VertSpacing, 26);
  EXPECT_EQ(l.ButtonWidth, 113);
  EXPECT_EQ(l.ButtonHeight, 37);
  EXPECT_EQ(l.ButtonSpacing, 9);
}

TEST(DialogLayout, LaysOutTheDialogsParts) {
  struct Case {
    const char* name;
    TLayoutInput in;
    int clientWidth, clientHeight;
    TRectI memo;
    bool scroll, icon;
  } cases[] = {
      // Short message: the body never gets narrower than 350.
      {"short", Input(TMsgDlgType::mtInformation, 0, 30, 21), 9 + 350, 74 + 37 + 26 + 42,
       {50, 53, 300, 27}, false, true},
      // Custom type: no icon column, the memo starts at the margin.
      {"custom", Input(TMsgDlgType::mtCustom, 0, 30, 21), 9 + 350, 74 + 37 + 26 + 42,
       {18, 53, 332, 27}, false, false},
      // A message taller than half the screen is cut and scrolls.
      {"tall", Input(TMsgDlgType::mtWarning, 0, 400, 5000), 9 + 4 + 2 * 18 + 400 + 32 + 23 + 2,
       540 + 37 + 26 + 42, {50, 53, 4 + 2 * 18 + 400 + 32 + 23 + 2 - 50, 540 - 42}, true, true},
      // Twelve buttons: the row is wider than the body and widens the form.
      {"all buttons", Input(TMsgDlgType::mtInformation, 0x0FFF, 30, 21), 9 + 12 * 113 + 11 * 9,
       74 + 37 + 26 + 42, {50, 53, 300, 27}, false, true},
  };
  for (const auto& c : cases) {
    const TDialogLayout l = LayoutDialog(c.in);
    EXPECT_EQ(l.ClientWidth, c.clientWidth) << c.name;
    EXPECT_EQ(l.ClientHeight, c.clientHeight) << c.name;
    EXPECT_EQ(l.Memo, c.memo) << c.name;
    EXPECT_EQ(l.MemoScrollBar, c.scroll) << c.name;
    EXPECT_EQ(l.Icon.has_value(), c.icon) << c.name;
    EXPECT_EQ(l.Title.Width, l.ClientWidth) << c.name;
    EXPECT_EQ(l.Title.Top, 21 - 6) << c.name;
    EXPECT_EQ(l.Band, (TRectI{0, l.ContentHeight + 21, l.ClientWidth, 37 + 26 + 21})) << c.name;
    EXPECT_EQ(l.Left, 960 - (l.ClientWidth + 4) / 2) << c.name;
    EXPECT_EQ(l.Top, 540 - (l.ClientHeight + 4) / 2) << c.name;
  }
}

TEST(DialogLayout, CentresTheButtonsInBitOrder) {
  TLayoutInput in = Input(TMsgDlgType::mtWarning,
                          Bit(B::Help) | Bit(B::Cancel) | Bit(B::Yes), 30, 21);
  in.CaptionWidths[size_t(B::Help)] = 150; // one long caption widens every button
  const TDialogLayout l = LayoutDialog(in);
  ASSERT_EQ(l.ButtonBounds.size(), 3u);
  EXPECT_EQ(l.ButtonBounds[0].Button, B::Yes);
  EXPECT_EQ(l.ButtonBounds[1].Button, B::Cancel);
  EXPECT_EQ(l.ButtonBounds[2].Button, B::Help);
  const int group = 3 * 150 + 2 * 9;
  EXPECT_EQ(l.ButtonBounds[0].Bounds, (TRectI{(l.ClientWidth - group) / 2, 26, 150, 37}));
  EXPECT_EQ(l.ButtonBounds[2].Bounds.Left, (l.ClientWidth - group) / 2 + 2 * 159);
}

TEST(DialogLayout, MirrorsTheMemoForRightToLeftReading) {
  TLayoutInput in = Input(TMsgDlgType::mtInformation, 0, 30, 21);
  in.RightToLeft = true;
  const TDialogLayout l = LayoutDialog(in);
  EXPECT_EQ(l.Memo.Left, l.ClientWidth - 50 - 300);
}

TEST(DialogLayout, ChoosesTheDefaultAndCancelButtons) {
  struct Case {
    TMsgDlgType type;
    TDialogButtons passed, shown;
    B defaultButton;
    std::optional<B> cancel;
  } cases[] = {
      {TMsgDlgType::mtConfirmation, 0, Bit(B::Yes) | Bit(B::No), B::Yes, B::No},
      {TMsgDlgType::mtInformation, 0, Bit(B::OK), B::OK, B::OK},
      {TMsgDlgType::mtError, Bit(B::OK) | Bit(B::Cancel) | Bit(B::Yes),
       Bit(B::OK) | Bit(B::Cancel) | Bit(B::Yes), B::OK, B::Cancel},
      {TMsgDlgType::mtWarning, Bit(B::Yes) | Bit(B::Abort), Bit(B::Yes) | Bit(B::Abort), B::Yes,
       std::nullopt},
      {TMsgDlgType::mtWarning, Bit(B::Ignore) | Bit(B::Retry), Bit(B::Ignore) | Bit(B::Retry),
       B::Retry, std::nullopt},
      {TMsgDlgType::mtWarning, Bit(B::Close) | Bit(B::All), Bit(B::Close) | Bit(B::All), B::All,
       std::nullopt},
      {TMsgDlgType::mtWarning, Bit(B::No) | Bit(B::Help), Bit(B::No) | Bit(B::Help), B::No, B::No},
  };
  for (const auto& c : cases) {
    const TDialogLayout l = LayoutDialog(Input(c.type, c.passed, 30, 21));
    EXPECT_EQ(l.Buttons, c.shown) << c.passed;
    EXPECT_EQ(l.Default, c.defaultButton) << c.passed;
    EXPECT_EQ(l.Cancel, c.cancel) << c.passed;
  }
}

TEST(DialogTables, ButtonsCarryTheirCaptionsAndResults) {
  const int results[] = {6, 7, 1, 3, 3, 4, 5, 12, 13, 14, 0, 8};
  const char* captions[] = {"&Sim",    "&Não",    "&OK",  "&Cancelar",      "&Abortar",       "&Tentar",
                            "&Ignorar", "Todos",  "Não para todos", "Sim para todos", "&Ajuda", "Fechar"};
  for (int b = 0; b < DialogButtonCount; ++b) {
    EXPECT_EQ(ButtonTable[b].Result, results[b]) << b;
    EXPECT_STREQ(ButtonTable[b].Caption, captions[b]) << b;
  }
  EXPECT_STREQ(DialogTitles[2], "Informação");
  EXPECT_STREQ(DialogTitles[3], "Confirmação");
}
