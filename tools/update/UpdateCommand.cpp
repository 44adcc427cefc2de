#include "UpdateCommand.h"

#include "Configuration.h"
#include "Errors.h"
#include "FilesUpdater.h"
#include "Lock.h"
#include "MainThread.h"
#include "Paths.h"

#include <mutex>
#include <ostream>

std::optional<TUpdateCommand> TUpdateCommand::Parse(const std::vector<std::string>& arguments) {
  TUpdateCommand command;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    const bool hasValue = i + 1 < arguments.size();
    if (argument == "--dir" && hasValue)
      command.Dir = arguments[++i];
    else if (argument == "--module" && hasValue)
      command.Module = arguments[++i];
    else if (argument == "--no-shared")
      command.Shared = false;
    else if (argument == "--dry-run")
      command.DryRun = true;
    else if (argument == "--verbose")
      command.Verbose = true;
    else
      return std::nullopt;
  }
  return command;
}

namespace {
// One line per file, written whole even when several fetches end at once.
class TReport final : public IUpdateObserver {
public:
  TReport(std::ostream& out, bool dryRun) : FOut(out), FDryRun(dryRun) {}

  void FileScheduled(const std::string& name) override {
    if (FDryRun)
      Line("would fetch  " + name, FScheduled);
  }
  void FileFetched(const std::string& name) override { Line("fetched  " + name, FFetched); }
  void FileUpToDate(const std::string& name) override { Line("up to date  " + name, FUpToDate); }
  void FileFailed(const std::string& name, const std::string& reason) override {
    Line("failed   " + name + ": " + reason, FFailed);
  }

  int Summary() {
    std::lock_guard guard(FLock);
    if (FDryRun) {
      FOut << FScheduled << " to fetch" << std::endl;
      return ExitAllFetched;
    }
    FOut << FFetched << " fetched, ";
    if (FUpToDate)
      FOut << FUpToDate << " up to date, ";
    FOut << FFailed << " failed" << std::endl;
    return FFailed ? ExitSomeFailed : ExitAllFetched;
  }

private:
  void Line(const std::string& text, int& counter) {
    std::lock_guard guard(FLock);
    ++counter;
    FOut << text << '\n';
  }

  std::ostream& FOut;
  const bool FDryRun;
  platform::TLock FLock;
  int FScheduled = 0, FFetched = 0, FUpToDate = 0, FFailed = 0;
};

bool IsBlank(const std::string& text) {
  return text.find_first_not_of(" \t") == std::string::npos;
}
} // namespace

std::string ModuleNameProblem(const std::string& name) {
  if (platform::IsRootedName(name))
    return "is not a relative name";
  if (platform::HasInvalidPathChars(name))
    return platform::SInvalidPathChars;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = name.find_first_of("\\/", start);
    const std::string part = name.substr(start, end - start);
    if (part == "..")
      return "leads out of the installation";
    if (part.empty() || part == ".")
      return "is not a plain file name";
    if (end == std::string::npos)
      return {};
    start = end + 1;
  }
}

int RunUpdate(const TUpdateCommand& command, const std::string& executablePath, std::ostream& out,
              std::ostream& err) {
  // The engine writes the module where its name leads: only a name inside the installation.
  if (const std::string problem = ModuleNameProblem(command.Module);
      !command.Module.empty() && !problem.empty()) {
    err << "norvane-update: --module " << command.Module << ": " << problem << std::endl;
    return ExitUsage;
  }
  const std::string dir = command.Dir.empty() ? platform::ExtractFilePath(executablePath)
                                              : platform::IncludeTrailingBackslash(command.Dir);
  // The launcher's own reading of Norvane.ini, as if it ran from DIR.
  const TLauncherConfiguration config = LoadLauncherConfiguration(dir + "norvane");
  if (config.FRemotePath == "\\" && IsBlank(config.FUrl)) {
    err << "norvane-update: " << dir
        << "Norvane.ini names no central installation (\"Local Exe\" or \"url\")" << std::endl;
    return ExitListingFailed;
  }
  // The launcher makes the report folder when it starts; a download from a server needs it.
  try {
    if (!command.DryRun)
      EnsureReportFolder(config.FLocalPath);
  } catch (const std::exception& e) {
    err << "norvane-update: " << e.what() << std::endl;
    return ExitListingFailed;
  }
  auto mainThread = std::make_shared<platform::TMainThreadQueue>();
  TReport report(out, command.DryRun);
  bool finished = false;
  try {
    TFilesUpdater::New(config.FLocalPath, config.FRemotePath, config.FUrl,
                       [&] { finished = true; }, {&report, command.DryRun, {}, mainThread})
        ->Execute(command.Module, command.Shared);
  } catch (const std::exception& e) {
    err << "norvane-update: " << e.what() << std::endl;
    return ExitListingFailed;
  }
  while (!finished)
    mainThread->WaitAndProcess(std::chrono::milliseconds(100));
  return report.Summary();
}
