#pragma once
#include <cstdint>

// The menu window's layout, the same on every system: client-area pixels at 96 dots per inch.
inline constexpr int MenuClientWidth = 1111;
inline constexpr int MenuClientHeight = 702;

// What a click on a zone does.
enum class TZoneAction { Module, Checagem, Painel, RemoteSupport, Email };

struct TMenuRect {
  int Left, Top, Width, Height;
};

// The pictures over the background in creation order (later ones lie above earlier ones): the
// twelve transparent click zones over the drawn buttons and the two replaceable logos.
struct TMenuPicture {
  const char* Name;
  TMenuRect Bounds; // a logo takes its picture's size from this corner
  bool IsLogo;
  TZoneAction Action;
  const char* Module; // the module's executable, for a module zone
};

inline constexpr TMenuPicture MenuPictures[] = {
    {"imgInternacao", {11, 235, 522, 68}, false, TZoneAction::Module, "FrontDesk.exe"},
    {"imgProntuario", {562, 237, 513, 69}, false, TZoneAction::Module, "Bedside.exe"},
    {"imgEstoque", {562, 319, 515, 70}, false, TZoneAction::Module, "Inventory.exe"},
    {"imgCompras", {16, 399, 516, 71}, false, TZoneAction::Module, "Purchasing.exe"},
    {"imgFinanceiro", {564, 395, 511, 71}, false, TZoneAction::Module, "Treasury.exe"},
    {"imgAdmSistema", {450, 657, 204, 36}, false, TZoneAction::Module, "Supervisor.exe"},
    {"imgCadGeral", {233, 658, 203, 36}, false, TZoneAction::Module, "MasterData.exe"},
    {"imgAldeno1", {47, 8, 339, 123}, true, TZoneAction::Module, nullptr},
    {"imgChecagem", {16, 319, 517, 68}, false, TZoneAction::Checagem, nullptr},
    {"imgPainel", {8, 656, 211, 39}, false, TZoneAction::Painel, nullptr},
    {"imgSuporteRemoto", {666, 657, 209, 36}, false, TZoneAction::RemoteSupport, nullptr},
    {"imgEmail", {885, 656, 207, 37}, false, TZoneAction::Email, nullptr},
    {"imgControlEquip", {20, 478, 516, 71}, false, TZoneAction::Module, "Devices.exe"},
    {"imgAldeno2", {694, 8, 302, 184}, true, TZoneAction::Module, nullptr},
};
// Every module zone fetches the shared files with its module.
inline constexpr bool ModuleZonesFetchSharedFiles = true;

// The waiting panel and what it holds (positions inside the panel).
inline constexpr TMenuRect WaitPanelBounds{319, 116, 369, 143};
inline constexpr std::uint8_t WaitPanelRed = 124, WaitPanelGreen = 217, WaitPanelBlue = 252;
inline constexpr const char* WaitPanelText = "Aguarde Atualizando";
inline constexpr TMenuRect WaitLabelBounds{43, 67, 271, 37};
inline constexpr int WaitLabelPixelHeight = 27; // "Segoe UI", bold, white
inline constexpr int IndicatorLeft = 159, IndicatorTop = 19;
inline constexpr int IndicatorFrameMilliseconds = 30;
inline constexpr int StartUpDelayMilliseconds = 200;

// The popup menu of the window and of the notification icon.
inline constexpr const char* OpenMenuCaption = "Abre o Sistema de Gesttão Hospitalar";
inline constexpr const char* CloseMenuCaption = "Fecha o Sistema de Gesttão Hospitalar";
// The icon's menu opens this far from the screen's bottom-right corner.
inline constexpr int TrayMenuInset = 20;
