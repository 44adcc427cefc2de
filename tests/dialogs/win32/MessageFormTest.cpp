#include "QM.VCL.Dialogs.h"

#include "WideText.h"

#include <gtest/gtest.h>

namespace {
// Runs `act` on this thread once the modal loop has started.
void WhenShown(std::function<void()> act) {
  static std::function<void()> pending;
  pending = std::move(act);
  SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    pending();
  });
}

// A key as the dialog's loop sees it, with Ctrl, Shift and Alt held as asked.
void Key(HWND target, WPARAM key, bool ctrl = false, bool shift = false) {
  BYTE state[256] = {};
  GetKeyboardState(state);
  state[VK_CONTROL] = ctrl ? 0x80 : 0;
  state[VK_SHIFT] = shift ? 0x80 : 0;
  state[VK_MENU] = 0;
  SetKeyboardState(state);
  PostMessageW(target, WM_KEYDOWN, key, 0);
  PostMessageW(target, WM_KEYUP, key, LPARAM(0xC0000001)); // a button clicks on the release
}

// Where a key for the dialog goes: its focused control, or the dialog itself while another
// program's window (another test's, on the same display) is the active one.
HWND KeyTarget(HWND dialog) { return GetFocus() ? GetFocus() : dialog; }

std::string ClipboardText() {
  if (!OpenClipboard(nullptr))
    return "<no clipboard>";
  std::string text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    text = platform::Narrow(static_cast<const wchar_t*>(GlobalLock(data)));
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}

std::string Text(HWND window) {
  wchar_t buffer[512] = {};
  GetWindowTextW(window, buffer, 512);
  return platform::Narrow(buffer);
}
} // namespace

TEST(MessageFormWin32, BuildsTheTypesTitleIconMemoAndButtonsInBitOrder) {
  const auto form = CreateMessageForm("linha 1\nlinha 2", TMsgDlgType::mtConfirmation, 0);
  EXPECT_EQ(Text(form->Handle()), "Confirmação");
  EXPECT_EQ(Text(form->Memo()), "linha 1\r\nlinha 2");
  ASSERT_TRUE(form->Button(TDialogButton::Yes));
  ASSERT_TRUE(form->Button(TDialogButton::No));
  EXPECT_EQ(Text(form->Button(TDialogButton::Yes)), "&Sim");
  EXPECT_EQ(Text(form->Button(TDialogButton::No)), "&Não");
  EXPECT_EQ(form->Layout().Default, TDialogButton::Yes);
  EXPECT_EQ(form->Layout().Cancel, TDialogButton::No);
  RECT client;
  GetClientRect(form->Handle(), &client);
  EXPECT_EQ(client.right, form->Layout().ClientWidth + 4); // with the 2-pixel border
  EXPECT_GE(form->Layout().ClientWidth, 350);
}

TEST(MessageFormWin32, KeysEndTheDialogWithTheirButtonsResults) {
  struct Case {
    const char* name;
    TMsgDlgType type;
    TDialogButtons buttons;
    WPARAM key;
    int expected;
  } cases[] = {
      {"Enter presses OK", TMsgDlgType::mtInformation, 0, VK_RETURN, 1},
      {"Esc presses OK, the cancel choice", TMsgDlgType::mtInformation, 0, VK_ESCAPE, 1},
      {"Enter presses Sim", TMsgDlgType::mtConfirmation, 0, VK_RETURN, 6},
      {"Esc presses Não", TMsgDlgType::mtConfirmation, 0, VK_ESCAPE, 7},
      {"Esc presses Cancelar: 3", TMsgDlgType::mtWarning,
       ButtonBit(TDialogButton::OK) | ButtonBit(TDialogButton::Cancel), VK_ESCAPE, 3},
      {"Space presses the focused button", TMsgDlgType::mtWarning,
       ButtonBit(TDialogButton::Retry) | ButtonBit(TDialogButton::Ignore), VK_SPACE, 4},
  };
  for (const auto& c : cases) {
    auto form = CreateMessageForm("abc", c.type, c.buttons);
    HWND window = form->Handle();
    WhenShown([window, key = c.key] { Key(KeyTarget(window), key); });
    EXPECT_EQ(ShowMessageForm(std::move(form), 0, -1, -1, ""), c.expected) << c.name;
  }
}

TEST(MessageFormWin32, HelpKeepsTheDialogOpen) {
  auto form = CreateMessageForm("abc", TMsgDlgType::mtError,
                                ButtonBit(TDialogButton::OK) | ButtonBit(TDialogButton::Help));
  HWND window = form->Handle(), help = form->Button(TDialogButton::Help);
  WhenShown([window, help] {
    SendMessageW(help, BM_CLICK, 0, 0);
    EXPECT_TRUE(IsWindowVisible(window)); // still open
    Key(KeyTarget(window), VK_ESCAPE);     // OK carries the cancel mark
  });
  EXPECT_EQ(ShowMessageForm(std::move(form), 0, 100, -1, ""), 1);
}

TEST(MessageFormWin32, CtrlCCopiesTheWholeDialogAndNothingElseDoes) {
  const std::string dashes = std::string(27, '-') + "\r\n";
  const std::string expected = dashes + "Informação\r\n" + dashes + "abc\r\n" + dashes +
                               "OK   \r\n" + dashes;
  TMessageForm::CopyToClipboard("before");
  auto form = CreateMessageForm("abc", TMsgDlgType::mtInformation, 0);
  EXPECT_EQ(form->GetDialogText(), expected);
  static HWND window;
  window = form->Handle();
  WhenShown([] {
    Key(KeyTarget(window), 'C', true, true); // Ctrl+Shift+C: nothing
    PostMessageW(KeyTarget(window), WM_NULL, 0, 0);
    SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR timer, DWORD) {
      KillTimer(nullptr, timer);
      EXPECT_EQ(ClipboardText(), "before");
      Key(KeyTarget(window), 'C', true);
      SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR timer2, DWORD) {
        KillTimer(nullptr, timer2);
        Key(KeyTarget(window), VK_ESCAPE);
      });
    });
  });
  EXPECT_EQ(ShowMessageForm(std::move(form), 0, -1, -1, ""), 1);
  EXPECT_EQ(ClipboardText(), expected);
}

TEST(MessageFormWin32, AFormatThatDoesNotFitShowsNothing) {
  EXPECT_THROW(ShowMessageDialogFmt("%d", {std::string("x")}, TMsgDlgType::mtInformation, 0, 0),
               std::exception);
}
