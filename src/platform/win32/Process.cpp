#include "Process.h"

#include "WideText.h"

namespace platform {

namespace {
// One argument as the C runtime's command-line parser reads it back.
std::wstring Quoted(const std::wstring& argument) {
  if (!argument.empty() && argument.find_first_of(L" \t\"") == std::wstring::npos)
    return argument;
  std::wstring quoted = L"\"";
  std::size_t backslashes = 0;
  for (const wchar_t c : argument) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(backslashes * 2, L'\\');
  return quoted + L'"';
}

std::wstring CommandLine(const std::vector<std::string>& argv) {
  std::wstring line;
  for (const std::string& argument : argv)
    line += (line.empty() ? L"" : L" ") + Quoted(Widen(argument));
  return line;
}

// The process, started; its handles are the caller's to close.
bool Start(const wchar_t* application, std::wstring commandLine, const TStartupInfo& startupInfo,
           PROCESS_INFORMATION& process) {
  STARTUPINFOW info{};
  info.cb = sizeof info;
  info.dwFlags = startupInfo.Flags;
  info.wShowWindow = startupInfo.ShowWindow;
  return CreateProcessW(application, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &info, &process) != 0;
}
} // namespace

bool StartProgram(const std::string& path, const TStartupInfo& startupInfo,
                  TProcessInformation& processInformation) {
  PROCESS_INFORMATION process{};
  const std::wstring application = WidePath(path);
  if (!Start(application.c_str(), Quoted(application), startupInfo, process)) {
    processInformation.ProcessId = 0;
    return false;
  }
  processInformation.ProcessId = process.dwProcessId;
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

TProcessId StartDetached(const std::vector<std::string>& argv, bool) {
  PROCESS_INFORMATION process{};
  if (argv.empty() || !Start(nullptr, CommandLine(argv), TStartupInfo::NormalWindow(), process))
    return 0;
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return process.dwProcessId;
}

std::optional<int> RunAndWait(const std::vector<std::string>& argv,
                              std::chrono::milliseconds patience) {
  PROCESS_INFORMATION process{};
  if (argv.empty() || !Start(nullptr, CommandLine(argv), TStartupInfo::NormalWindow(), process))
    return 127;
  CloseHandle(process.hThread);
  std::optional<int> result;
  DWORD code = 0;
  if (WaitForSingleObject(process.hProcess, DWORD(patience.count())) == WAIT_OBJECT_0 &&
      GetExitCodeProcess(process.hProcess, &code))
    result = int(code);
  CloseHandle(process.hProcess);
  return result;
}

} // namespace platform
