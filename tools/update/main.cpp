#include "CommandLine.h"
#include "DebugOutput.h"
#include "Paths.h"
#include "UpdateCommand.h"

#include <cstdlib>
#include <iostream>

int main(int argc, char* argv[]) {
  platform::UseUtf8Console();
  const auto command = TUpdateCommand::Parse(platform::CommandLineArguments(argc, argv));
  if (!command) {
    std::cerr << UpdateUsage;
    return ExitUsage;
  }
  // The download trace is for whoever asks for it, not for an administrator's terminal.
  const char* debug = std::getenv("NORVANE_DEBUG");
  platform::EnableDebugOutput(command->Verbose || (debug && *debug && std::string(debug) != "0"));
  return RunUpdate(*command, platform::CurrentExecutablePath(), std::cout, std::cerr);
}
