#include "CommandLine.h"

#include "WideText.h"

#include <shellapi.h>

namespace platform {

std::vector<std::string> CommandLineArguments(int, char*[]) {
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> arguments;
  for (int i = 1; wide && i < count; ++i)
    arguments.push_back(Narrow(wide[i]));
  LocalFree(wide);
  return arguments;
}

void UseUtf8Console() { SetConsoleOutputCP(CP_UTF8); }

} // namespace platform
