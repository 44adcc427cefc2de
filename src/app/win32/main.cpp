#include "CommandLine.h"
#include "InstallerSettings.h"
#include "MenuWindow.h"

#include "Paths.h"
#include "Shell.h"
#include "Win32MainThread.h"
#include "WideText.h"

#include <cstdio>

namespace {
// The installation's key: launchers of one folder meet, those of others do not.
std::string InstallationKey(const std::string& folder) {
  std::wstring wide = platform::Widen(folder);
  CharUpperBuffW(wide.data(), DWORD(wide.size())); // Windows folders ignore case
  std::uint64_t hash = 14695981039346656037ull;
  for (wchar_t c : wide)
    hash = (hash ^ std::uint64_t(c)) * 1099511628211ull;
  char text[17];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
  return text;
}

// A second launcher brings the first forward and ends.
bool AnotherInstanceAnswered(const std::string& key) {
  CreateMutexW(nullptr, FALSE, (L"Local\\Norvane." + platform::Widen(key)).c_str());
  if (GetLastError() != ERROR_ALREADY_EXISTS)
    return false;
  if (HWND first = FindWindowW(TMenuWindow::ClassNameFor(key).c_str(), nullptr)) {
    DWORD process = 0;
    GetWindowThreadProcessId(first, &process);
    AllowSetForegroundWindow(process);
    PostMessageW(first, TMenuWindow::WM_ACTIVATEINSTANCE, 0, 0);
  }
  return true;
}
} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  const std::string program = platform::CurrentExecutablePath();
  if (const auto status = RunInstallerCommand(platform::CommandLineArguments(0, nullptr), program))
    return *status;
  const std::string key = InstallationKey(platform::ExtractFilePath(program));
  if (AnotherInstanceAnswered(key))
    return 0;
  platform::SetMainThread(std::make_shared<TWin32MainThread>());
  HWND owner = nullptr;
  TLauncherEnvironment environment;
  environment.ProgramPath = program;
  environment.ShowError = [&owner](const std::string& text) {
    MessageBoxW(owner, platform::Widen(text).c_str(), platform::Widen(ApplicationTitle).c_str(),
                MB_OK | MB_ICONERROR);
  };
  environment.OpenURL = [](const std::string& url) { return platform::ShellOpen(url); };
  environment.SendMail = [](const std::string& to) { return platform::SendMail(to); };
  TMenuWindow menu(std::move(environment), key);
  owner = menu.Handle();
  menu.Show();
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}
