#include "InstallerSettings.h"

#include "Configuration.h"
#include "Paths.h"
#include "WideText.h"

namespace {
constexpr wchar_t Section[] = L"Servidor";

// A new file starts as UTF-16 so the system's writer keeps every letter of a path.
bool CreateUnicodeFile(const std::wstring& path) {
  const HANDLE file =
      CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE)
    return GetLastError() == ERROR_FILE_EXISTS;
  const unsigned char mark[2] = {0xFF, 0xFE};
  DWORD written = 0;
  const bool ok = WriteFile(file, mark, sizeof mark, &written, nullptr) && written == sizeof mark;
  CloseHandle(file);
  return ok;
}

// The package puts a blank before each closing quote, so that a folder's trailing backslash
// does not escape the quote; the blanks go here.
std::string Trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(' ');
  return first == std::string::npos ? std::string()
                                    : text.substr(first, text.find_last_not_of(' ') - first + 1);
}

bool WriteValue(const std::wstring& path, const wchar_t* key, const std::string& value) {
  return value.empty() ||
         WritePrivateProfileStringW(Section, key, platform::Widen(value).c_str(), path.c_str());
}
} // namespace

std::optional<int> RunInstallerCommand(const std::vector<std::string>& arguments,
                                       const std::string& programPath) {
  if (arguments.empty())
    return std::nullopt;
  const std::wstring path =
      platform::WidePath(platform::ExtractFilePath(programPath) + ConfigurationFileName);
  if (arguments[0] == "--remove-ini")
    return arguments.size() != 1                                                   ? 64
           : DeleteFileW(path.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND ? 0
                                                                                   : 1;
  if (arguments[0] != "--write-ini")
    return std::nullopt;
  if (arguments.size() != 3)
    return 64; // an installer's call never starts the window
  const std::string url = Trimmed(arguments[1]);
  const std::string localExe = Trimmed(arguments[2]);
  if (url.empty() && localExe.empty())
    return 0; // nothing given: a Norvane.ini already there stays as it is
  const bool ok = CreateUnicodeFile(path) && WriteValue(path, L"url", url) &&
                  WriteValue(path, L"Local Exe", localExe);
  return ok ? 0 : 1;
}
