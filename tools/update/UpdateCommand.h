#pragma once
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

// norvane-update [--dir DIR] [--module NAME] [--no-shared] [--dry-run] [--verbose]
struct TUpdateCommand {
  std::string Dir; // empty: the folder of the executable
  std::string Module;
  bool Shared = true;
  bool DryRun = false;
  bool Verbose = false; // the per-download trace lines on standard error

  // Nothing for arguments that do not fit the usage.
  static std::optional<TUpdateCommand> Parse(const std::vector<std::string>& arguments);
};

inline constexpr const char* UpdateUsage =
    "usage: norvane-update [--dir DIR] [--module NAME] [--no-shared] [--dry-run] [--verbose]\n";

// Why a --module value is not a plain relative name inside the installation; empty when it is.
std::string ModuleNameProblem(const std::string& name);

enum TUpdateExit { ExitAllFetched = 0, ExitSomeFailed = 1, ExitListingFailed = 2, ExitUsage = 64 };

// Runs one update like a module request of the launcher; reports to `out` and `err`.
int RunUpdate(const TUpdateCommand& command, const std::string& executablePath, std::ostream& out,
              std::ostream& err);
