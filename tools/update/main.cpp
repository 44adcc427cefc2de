#include "Paths.h"
#include "UpdateCommand.h"

#include <iostream>

int main(int argc, char* argv[]) {
  const auto command = TUpdateCommand::Parse(std::vector<std::string>(argv + 1, argv + argc));
  if (!command) {
    std::cerr << UpdateUsage;
    return ExitUsage;
  }
  return RunUpdate(*command, platform::CurrentExecutablePath(), std::cout, std::cerr);
}
