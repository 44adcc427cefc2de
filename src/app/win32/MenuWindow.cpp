#include "MenuWindow.h"

#include "ActivityIndicator.h"
#include "Bitmaps.h"
#include "ChildWindows.h"
#include "QM.VCL.Dialogs.h"
#include "EmbeddedArtwork.h"
#include "FileRead.h"
#include "Paths.h"
#include "WideText.h"

#include "WindowClass.h"

#include <shellapi.h>

namespace {
constexpr UINT_PTR StartUpTimer = 1;
constexpr int FirstZoneId = 100;
constexpr UINT OpenItem = 1, CloseItem = 2;
// A logo file bigger than this is no logo.
constexpr std::size_t MaxLogoBytes = 16 * 1024 * 1024;

TRasterImage Decoded(const EmbeddedPicture& picture, bool png) {
  const auto image =
      png ? DecodePng(picture.Data, picture.Size) : DecodeJpeg(picture.Data, picture.Size);
  return image ? *image : TRasterImage{};
}

// The background stretched over the client area, on the dialog colour where it is see-through.
HBITMAP ComposeBackground(HWND window) {
  const TRasterImage image = Decoded(BackgroundPng, true);
  HBITMAP picture = BitmapFromImage(image);
  HDC screen = GetDC(window);
  HBITMAP composed = CreateCompatibleBitmap(screen, MenuClientWidth, MenuClientHeight);
  HDC target = CreateCompatibleDC(screen), source = CreateCompatibleDC(screen);
  HGDIOBJ oldTarget = SelectObject(target, composed);
  RECT all{0, 0, MenuClientWidth, MenuClientHeight};
  FillRect(target, &all, GetSysColorBrush(COLOR_BTNFACE));
  if (picture) {
    HGDIOBJ oldSource = SelectObject(source, picture);
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    SetStretchBltMode(target, HALFTONE);
    AlphaBlend(target, 0, 0, MenuClientWidth, MenuClientHeight, source, 0, 0, image.Width,
               image.Height, blend);
    SelectObject(source, oldSource);
    DeleteObject(picture);
  }
  SelectObject(target, oldTarget);
  DeleteDC(source);
  DeleteDC(target);
  ReleaseDC(window, screen);
  return composed;
}

std::string ReadSmallFile(const std::string& path) {
  std::string bytes;
  platform::ReadFileChunks(path, [&](std::string_view chunk) {
    if (bytes.size() + chunk.size() <= MaxLogoBytes)
      bytes.append(chunk);
  });
  return bytes;
}
} // namespace

std::wstring TMenuWindow::ClassNameFor(const std::string& installationKey) {
  return L"NorvaneMenu." + platform::Widen(installationKey);
}

TMenuWindow::TMenuWindow(TLauncherEnvironment environment, const std::string& installationKey)
    : FController(*this, std::move(environment)), FClassName(ClassNameFor(installationKey)) {
  FIcon = IconFromImage(Decoded(IconPng, true));
  RegisterWindowClass({.Name = FClassName.c_str(), .Procedure = Procedure, .Icon = FIcon});
  // A fixed dialog border: title bar, system menu and close button, no sizing.
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  RECT frame{0, 0, MenuClientWidth, MenuClientHeight};
  AdjustWindowRectEx(&frame, style, FALSE, 0);
  CreateWindowExW(0, FClassName.c_str(), L"", style, 0, 0, // centred when shown
                  frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                  GetModuleHandleW(nullptr), this);
  CreateComponents();
  // An error of the creation handler is reported and start-up goes on.
  FController.RunHandler([this] {
    if (!TrayIconCriado)
      AddTrayIcon();
    wfecha = false;
    FController.LoadConfiguration();
  });
}

TMenuWindow::~TMenuWindow() {
  if (FWindow)
    DestroyWindow(FWindow);
  if (FMenu)
    DestroyMenu(FMenu);
  if (FPanelFont)
    DeleteObject(FPanelFont);
  if (FBackground)
    DeleteObject(FBackground);
  if (FIcon)
    DestroyIcon(FIcon);
}

void TMenuWindow::CreateComponents() {
  FBackground = ComposeBackground(FWindow);
  SetPropW(FWindow, child_windows::BackgroundProperty, FBackground);
  FMenu = CreatePopupMenu();
  AppendMenuW(FMenu, MF_STRING, OpenItem, platform::Widen(OpenMenuCaption).c_str());
  AppendMenuW(FMenu, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(FMenu, MF_STRING, CloseItem, platform::Widen(CloseMenuCaption).c_str());
  int index = 0;
  for (const TMenuPicture& picture : MenuPictures)
    CreatePicture(picture, index++);
  CreateWaitPanel();
}

void TMenuWindow::CreatePicture(const TMenuPicture& picture, int index) {
  if (picture.IsLogo) {
    const bool family = std::string_view(picture.Name) == "imgAldeno1";
    FLogos[family ? 0 : 1] = child_windows::CreateLogo(
        FWindow, picture.Bounds.Left, picture.Bounds.Top,
        BitmapFromImage(Decoded(family ? FamilyLogoJpeg : PhotographJpeg, false)));
    return;
  }
  HWND zone = child_windows::CreateClickZone(FWindow, picture.Bounds, FirstZoneId + index);
  if (picture.Module)
    FModuleOptions.AddModule(zone, picture.Module, ModuleZonesFetchSharedFiles);
}

void TMenuWindow::CreateWaitPanel() {
  FPanelFont = CreateFontW(-WaitLabelPixelHeight, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE,
                           DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                           CLEARTYPE_QUALITY, DEFAULT_PITCH, L"Segoe UI");
  FPanel = child_windows::CreateWaitPanel(FWindow, FPanelFont);
  FIndicator = activity_indicator::Create(FPanel, IndicatorLeft, IndicatorTop,
                                          IndicatorFrameMilliseconds);
  SetWindowPos(FPanel, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE); // above the zones
}

void TMenuWindow::AddTrayIcon() {
  TrayIconData.cbSize = sizeof TrayIconData;
  TrayIconData.hWnd = FWindow;
  TrayIconData.uID = 0;
  TrayIconData.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  TrayIconData.uCallbackMessage = WM_TRAYICON;
  TrayIconData.hIcon = FIcon;
  lstrcpynW(TrayIconData.szTip, platform::Widen(ApplicationTitle).c_str(),
            ARRAYSIZE(TrayIconData.szTip));
  TrayIconCriado = Shell_NotifyIconW(NIM_ADD, &TrayIconData) != 0;
}

void TMenuWindow::Show() {
  RECT work, frame;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  GetWindowRect(FWindow, &frame);
  const int width = frame.right - frame.left, height = frame.bottom - frame.top;
  SetWindowPos(FWindow, nullptr, work.left + (work.right - work.left - width) / 2,
               work.top + (work.bottom - work.top - height) / 2, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER);
  ShowWindow(FWindow, SW_SHOW);
  UpdateWindow(FWindow);
}

void TMenuWindow::Restore() {
  ShowWindow(FWindow, IsIconic(FWindow) ? SW_RESTORE : SW_SHOW);
  SetForegroundWindow(FWindow);
}

void TMenuWindow::TrayMessage(LPARAM mouseMessage) {
  if (mouseMessage == WM_LBUTTONDBLCLK)
    Restore();
  else if (mouseMessage == WM_RBUTTONDOWN)
    PopUpMenu(GetSystemMetrics(SM_CXSCREEN) - TrayMenuInset,
              GetSystemMetrics(SM_CYSCREEN) - TrayMenuInset);
}

void TMenuWindow::PopUpMenu(int x, int y) {
  SetForegroundWindow(FWindow); // else the menu stays open when the user clicks elsewhere
  const UINT chosen = UINT(TrackPopupMenu(FMenu, TPM_RETURNCMD | TPM_RIGHTBUTTON, x, y, 0,
                                          FWindow, nullptr));
  PostMessageW(FWindow, WM_NULL, 0, 0);
  if (chosen == OpenItem) {
    Restore();
  } else if (chosen == CloseItem) {
    wfecha = true;
    Close();
  }
}

void TMenuWindow::Close() { SendMessageW(FWindow, WM_CLOSE, 0, 0); }

void TMenuWindow::ZoneClicked(int index) {
  const TMenuPicture& picture = MenuPictures[index];
  HWND zone = GetDlgItem(FWindow, FirstZoneId + index);
  FController.RunHandler([&] {
    switch (picture.Action) {
    case TZoneAction::Module: {
      TModuleOptions::TModuleInfo info;
      FModuleOptions.TryGetModule(zone, info); // an unknown zone yields the empty record
      FController.RequestModule(info.FModuleName, info.FAdditionalFiles);
      break;
    }
    case TZoneAction::Checagem: FController.OpenChecagem(); break;
    case TZoneAction::Painel: FController.OpenPainel(); break;
    case TZoneAction::RemoteSupport: FController.StartRemoteSupport(); break;
    case TZoneAction::Email: FController.SendSupportMail(); break;
    }
  });
}

void TMenuWindow::StartUpTick() {
  FController.RunHandler([this] {
    FController.StartUpUpdate();
    LoadLogo(0, "ImgAldeno1.jpg");
    LoadLogo(1, "ImgAldeno2.jpg");
  });
}

// A replaceable logo from the installation folder; anything wrong with it keeps the old one.
void TMenuWindow::LoadLogo(int index, const char* fileName) {
  try {
    const std::string path = platform::JoinPath(FController.Configuration().FLocalPath, fileName);
    if (!platform::FileExists(path))
      return;
    const std::string bytes = ReadSmallFile(path);
    const auto image =
        DecodeJpeg(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    if (HBITMAP bitmap = image ? BitmapFromImage(*image) : nullptr)
      child_windows::SetLogoPicture(FLogos[index], bitmap);
  } catch (...) {
  }
}

void TMenuWindow::ShowWaitPanel() {
  ShowWindow(FPanel, SW_SHOW);
  activity_indicator::SetAnimate(FIndicator, true);
  UpdateWindow(FPanel);
  // Paint the panel before the central listing holds this thread.
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(int(message.wParam)); // for the main loop to see
      break;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

void TMenuWindow::HideWaitPanel() {
  activity_indicator::SetAnimate(FIndicator, false);
  ShowWindow(FPanel, SW_HIDE);
}

void TMenuWindow::SetCaption(const std::string& caption) {
  SetWindowTextW(FWindow, platform::Widen(caption).c_str());
}

void TMenuWindow::ShowModuleNotInstalled(const std::string& path) {
  ShowMessageDialogFmt("Módulo não instalado.\r\n%s", {path}, TMsgDlgType::mtInformation, 0, 0);
}

void TMenuWindow::ShowMailFailure(const std::string& text) {
  ShowMessageDialog(text, TMsgDlgType::mtError, 0, 0, -1, -1, std::string());
}

// The shell's copy, with its own progress window; the menu is repainted by its modal loop.
void TMenuWindow::CopyWithProgress(const std::string& source, const std::string& target,
                                   const std::string&) {
  const std::wstring from = platform::WidePath(source) + L'\0'; // lists close with an extra null
  const std::wstring to = platform::WidePath(target) + L'\0';
  SHFILEOPSTRUCTW operation{};
  operation.hwnd = FWindow;
  operation.wFunc = FO_COPY;
  operation.pFrom = from.c_str();
  operation.pTo = to.c_str();
  operation.fFlags = FOF_FILESONLY | FOF_SIMPLEPROGRESS | FOF_NOCOPYSECURITYATTRIBS;
  operation.lpszProgressTitle = L"Copiando Arquivos";
  SHFileOperationW(&operation); // the result is not reported
}

LRESULT CALLBACK TMenuWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<TMenuWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->FWindow = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, LONG_PTR(self));
  }
  auto* self = reinterpret_cast<TMenuWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self)
    return DefWindowProcW(window, message, wParam, lParam);
  const LRESULT result = self->Handle(message, wParam, lParam);
  if (message == WM_NCDESTROY)
    self->FWindow = nullptr;
  return result;
}

LRESULT TMenuWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  // Explorer announces a new task bar after it restarts: the icon goes back on it.
  static const UINT TaskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");
  if (message == TaskbarCreated && TaskbarCreated != 0) {
    TrayIconCriado = false;
    AddTrayIcon();
    return 0;
  }
  switch (message) {
  case WM_ERASEBKGND:
    return 1;
  case WM_PAINT: {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(FWindow, &paint);
    DrawBitmap(dc, FBackground, MenuClientWidth, MenuClientHeight);
    EndPaint(FWindow, &paint);
    return 0;
  }
  case WM_COMMAND:
    if (const int id = LOWORD(wParam); id >= FirstZoneId && id < FirstZoneId + int(std::size(MenuPictures)))
      ZoneClicked(id - FirstZoneId);
    return 0;
  case WM_CONTEXTMENU: {
    POINT at{short(LOWORD(lParam)), short(HIWORD(lParam))};
    if (lParam == -1)
      GetCursorPos(&at);
    PopUpMenu(at.x, at.y);
    return 0;
  }
  case WM_SHOWWINDOW:
    if (wParam && !FShownOnce) { // restoring from the icon is no new start
      FShownOnce = true;
      SetTimer(FWindow, StartUpTimer, StartUpDelayMilliseconds, nullptr);
    }
    break;
  case WM_TIMER:
    if (wParam == StartUpTimer) {
      KillTimer(FWindow, StartUpTimer);
      StartUpTick();
    }
    return 0;
  case WM_TRAYICON:
    TrayMessage(lParam);
    return 0;
  case WM_ACTIVATEINSTANCE:
    Restore();
    return 0;
  case WM_SIZE:
    // With the icon to come back through, a minimised launcher leaves the task bar.
    if (wParam == SIZE_MINIMIZED && TrayIconCriado)
      ShowWindow(FWindow, SW_HIDE);
    break;
  case WM_CLOSE:
    if (wfecha)
      DestroyWindow(FWindow);
    else
      ShowWindow(FWindow, TrayIconCriado ? SW_HIDE : SW_MINIMIZE);
    return 0;
  case WM_DESTROY:
    Shell_NotifyIconW(NIM_DELETE, &TrayIconData); // whether or not adding it worked
    RemovePropW(FWindow, child_windows::BackgroundProperty);
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(FWindow, message, wParam, lParam);
}
