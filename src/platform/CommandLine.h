#pragma once
#include <string>
#include <vector>

namespace platform {

// The program's arguments in UTF-8, without the program's name. POSIX hands them to main;
// Windows hands main the ANSI code page's rendering, so they are read from the wide command line.
std::vector<std::string> CommandLineArguments(int argc, char* argv[]);

// Lets a console show the UTF-8 the program writes (Windows consoles use an OEM code page).
void UseUtf8Console();

} // namespace platform
