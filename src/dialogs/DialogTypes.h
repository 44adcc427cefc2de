#pragma once
#include <array>
#include <cstdint>

enum class TMsgDlgType : std::uint8_t { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };

enum class TDialogButton : std::uint8_t {
  Yes, No, OK, Cancel, Abort, Retry, Ignore, All, NoToAll, YesToAll, Help, Close
};
inline constexpr int DialogButtonCount = 12;

// Bit n stands for button n; buttons always appear in bit order.
using TDialogButtons = std::uint16_t;

constexpr TDialogButtons ButtonBit(TDialogButton button) {
  return static_cast<TDialogButtons>(1u << static_cast<unsigned>(button));
}
constexpr bool HasButton(TDialogButtons set, TDialogButton button) {
  return (set & ButtonBit(button)) != 0;
}

// What each picture kind of a button stands for; the picture is the style's.
enum class TButtonPicture { None, Yes, Abort, OK, Cancel, Retry, Ignore, All, Help };

struct TButtonInfo {
  const char* Name;
  const char* Caption; // UTF-8, "&" before the access key
  int Result;          // 0: the button does not end the dialog
  TButtonPicture Picture;
};

// Close ends the dialog with the toolkit's usual close result: a button that does nothing
// would be a plainly wrong answer to the user who presses it.
inline constexpr std::array<TButtonInfo, DialogButtonCount> ButtonTable = {{
    {"Yes", "&Sim", 6, TButtonPicture::Yes},
    {"No", "&N\u00e3o", 7, TButtonPicture::Abort},
    {"OK", "&OK", 1, TButtonPicture::OK},
    {"Cancel", "&Cancelar", 3, TButtonPicture::Cancel},
    {"Abort", "&Abortar", 3, TButtonPicture::Abort},
    {"Retry", "&Tentar", 4, TButtonPicture::Retry},
    {"Ignore", "&Ignorar", 5, TButtonPicture::Ignore},
    {"All", "Todos", 12, TButtonPicture::All},
    {"NoToAll", "N\u00e3o para todos", 13, TButtonPicture::None},
    {"YesToAll", "Sim para todos", 14, TButtonPicture::None},
    {"Help", "&Ajuda", 0, TButtonPicture::Help},
    {"Close", "Fechar", 8, TButtonPicture::None},
}};

// The title of each type; a custom dialog carries the application's title instead.
inline constexpr std::array<const char*, 4> DialogTitles = {"Aviso", "Falha", "Informa\u00e7\u00e3o",
                                                            "Confirma\u00e7\u00e3o"};

// Caption widths plus 8, measured once per button per process.
extern std::array<int, DialogButtonCount> ButtonWidthCache;
