#pragma once
#include <optional>
#include <string>
#include <vector>

// What the installer asks of the launcher, which writes Norvane.ini beside itself:
//   norvane.exe --write-ini URL LOCALEXE   sets "url" and "Local Exe" where given (not empty)
//   norvane.exe --remove-ini               removes the file on uninstall
// The exit status (64 for a malformed call), or nothing when the arguments ask for no such thing.
std::optional<int> RunInstallerCommand(const std::vector<std::string>& arguments,
                                       const std::string& programPath);
