#include "UpdateCommand.h"

#include "Configuration.h"
#include "FilesUpdater.h"
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
  void FileFailed(const std::string& name, const std::string& reason) override {
    Line("failed   " + name + ": " + reason, FFailed);
  }

  int Summary() {
    std::lock_guard guard(FLock);
    if (FDryRun) {
      FOut << FScheduled << " to fetch" << std::endl;
      return ExitAllFetched;
    }
    FOut << FFetched << " fetched, " << FFailed << " failed" << std::endl;
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
  std::mutex FLock;
  int FScheduled = 0, FFetched = 0, FFailed = 0;
};

bool IsBlank(const std::string& text) {
  return text.find_first_not_of(" \t") == std::string::npos;
}
} // namespace

int RunUpdate(const TUpdateCommand& command, const std::string& executablePath, std::ostream& out,
              std::ostream& err) {
  const std::string dir = command.Dir.empty() ? platform::ExtractFilePath(executablePath)
                                              : platform::IncludeTrailingBackslash(command.Dir);
  // The launcher's own reading of Norvane.ini, as if it ran from DIR.
  const TLauncherConfiguration config = LoadLauncherConfiguration(dir + "norvane");
  if (config.FRemotePath == "\\" && IsBlank(config.FUrl)) {
    err << "norvane-update: " << dir
        << "Norvane.ini names no central installation (\"Local Exe\" or \"url\")" << std::endl;
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
