#pragma once
#include "MenuController.h"
#include "MenuLayout.h"
#include "ModuleOptions.h"

#include <windows.h>
// after windows.h
#include <shellapi.h>

#include <string>

// The menu window on Win32: the background picture, the click zones as transparent child
// windows, the logos, the waiting panel, the popup menu and the notification icon. It draws
// what the controller decides.
class TMenuWindow final : private IMenuView {
public:
  // The window class carries the installation's key, so a second launcher finds this one.
  static std::wstring ClassNameFor(const std::string& installationKey);

  TMenuWindow(TLauncherEnvironment environment, const std::string& installationKey);
  ~TMenuWindow() override;
  TMenuWindow(const TMenuWindow&) = delete;
  TMenuWindow& operator=(const TMenuWindow&) = delete;

  HWND Handle() const { return FWindow; }
  void Show(); // centred on the screen's work area
  // Restores the window from the icon, the menu or a second launch and brings it forward.
  void Restore();

  // Messages of the window: the icon's callback and a second launcher's call.
  static constexpr UINT WM_TRAYICON = WM_USER + 1; // 1025
  static constexpr UINT WM_ACTIVATEINSTANCE = WM_USER + 2;

private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

  void CreateComponents();
  void CreatePicture(const TMenuPicture& picture, int index);
  void CreateWaitPanel();
  void AddTrayIcon();
  void TrayMessage(LPARAM mouseMessage);
  void PopUpMenu(int x, int y);
  void ZoneClicked(int index);
  void Close();
  void StartUpTick();
  void LoadLogo(int index, const char* fileName);

  // What the controller asks of the window.
  void ShowWaitPanel() override;
  void HideWaitPanel() override;
  void SetCaption(const std::string& caption) override;
  void ShowModuleNotInstalled(const std::string& path) override;
  void ShowMailFailure(const std::string& text) override;
  void CopyWithProgress(const std::string& source, const std::string& target,
                        const std::string& file) override;

  TMenuController FController;
  TModuleOptions FModuleOptions;
  std::wstring FClassName;
  HWND FWindow = nullptr;
  HWND FPanel = nullptr;
  HWND FIndicator = nullptr;
  HWND FLogos[2] = {};
  HBITMAP FBackground = nullptr;
  HICON FIcon = nullptr;
  HFONT FPanelFont = nullptr;
  HMENU FMenu = nullptr;
  NOTIFYICONDATAW TrayIconData{};
  bool TrayIconCriado = false;
  bool wfecha = false;
  bool FShownOnce = false;
};
