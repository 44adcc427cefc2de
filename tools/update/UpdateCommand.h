#pragma once
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

// norvane-update [--dir DIR] [--module NAME] [--no-shared] [--dry-run]
struct TUpdateCommand {
  std::string Dir; // empty: the folder of the executable
  std::string Module;
  bool Shared = true;
  bool DryRun = false;

  // Nothing for arguments that do not fit the usage.
  static std::optional<TUpdateCommand> Parse(const std::vector<std::string>& arguments);
};

inline constexpr const char* UpdateUsage =
    "usage: norvane-update [--dir DIR] [--module NAME] [--no-shared] [--dry-run]\n";

enum TUpdateExit { ExitAllFetched = 0, ExitSomeFailed = 1, ExitListingFailed = 2, ExitUsage = 64 };

// Runs one update like a module request of the launcher; reports to `out` and `err`.
int RunUpdate(const TUpdateCommand& command, const std::string& executablePath, std::ostream& out,
              std::ostream& err);
