#include "UpdateCommand.h"

#include "Installation.h"
#include "RunningFileServer.h"
#include "TestHttpServer.h"

#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

using namespace testing_support;

TEST(UpdateCommand, ParsesItsUsage) {
  using Args = std::vector<std::string>;
  const auto all = TUpdateCommand::Parse(
      {"--dir", "/opt/n", "--module", "Treasury.exe", "--no-shared", "--dry-run", "--verbose"});
  ASSERT_TRUE(all);
  EXPECT_EQ(all->Dir, "/opt/n");
  EXPECT_EQ(all->Module, "Treasury.exe");
  EXPECT_FALSE(all->Shared);
  EXPECT_TRUE(all->DryRun);
  EXPECT_TRUE(all->Verbose);
  const auto none = TUpdateCommand::Parse({});
  ASSERT_TRUE(none);
  EXPECT_TRUE(none->Shared);
  for (const Args& bad : {Args{"--dir"}, Args{"--module"}, Args{"-x"}, Args{"extra"}})
    EXPECT_FALSE(TUpdateCommand::Parse(bad)) << bad[0];
}

namespace {
struct Outcome {
  int Exit = -1;
  std::string Out, Err;
};

Outcome Update(const TempDir& local, TUpdateCommand command) {
  command.Dir = local.Path().string();
  std::ostringstream out, err;
  Outcome run;
  run.Exit = RunUpdate(command, "/nowhere/norvane-update", out, err);
  run.Out = out.str();
  run.Err = err.str();
  return run;
}

std::vector<std::string> SortedLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);)
    lines.push_back(line);
  std::sort(lines.begin(), lines.end());
  return lines;
}
} // namespace

TEST(UpdateCommand, UpdatesAnInstallationFromItsCentralFolder) {
  TempDir central, local;
  local.Write("Norvane.ini", "[Servidor]\nLocal Exe=" + central.Path().string() + "\n");
  Place(central, "Treasury.exe", "t", Age(1));
  Place(central, "central.ini", "c", Age(1));
  Place(central, "Relatorio\\Censo.rav", "r", Age(1));

  Outcome dry = Update(local, {"", "Treasury.exe", true, true});
  EXPECT_EQ(dry.Exit, 0);
  EXPECT_EQ(SortedLines(dry.Out),
            (std::vector<std::string>{"3 to fetch", "would fetch  Relatorio\\Censo.rav",
                                      "would fetch  Treasury.exe", "would fetch  central.ini"}));
  EXPECT_FALSE(std::filesystem::exists(local / "Treasury.exe"));

  Outcome only = Update(local, {"", "Treasury.exe", false, false});
  EXPECT_EQ(only.Exit, 0);
  EXPECT_EQ(only.Out, "fetched  Treasury.exe\n1 fetched, 0 failed\n");

  Outcome rest = Update(local, {"", "Treasury.exe", true, false});
  EXPECT_EQ(rest.Exit, 0);
  EXPECT_EQ(SortedLines(rest.Out),
            (std::vector<std::string>{"2 fetched, 0 failed", "fetched  Relatorio\\Censo.rav",
                                      "fetched  central.ini"}));
  EXPECT_EQ(Update(local, {"", "Treasury.exe", true, false}).Out, "0 fetched, 0 failed\n");
}

TEST(UpdateCommand, ReportsFailuresWithTheirExitStatus) {
  TempDir central, local;
  local.Write("Norvane.ini", "[Servidor]\nLocal Exe=" + central.Path().string() + "\n");
  Place(central, "Treasury.exe", "t", Age(1));
  std::filesystem::create_directory(local / "Treasury.exe"); // a folder where the module goes
  const Outcome failed = Update(local, {"", "Treasury.exe", false, false});
  EXPECT_EQ(failed.Exit, 1);
  EXPECT_EQ(failed.Out, "failed   Treasury.exe: Is a directory\n0 fetched, 1 failed\n");

  TempDir missing;
  missing.Write("Norvane.ini", "[Servidor]\nLocal Exe=" + central.Path().string() + "/gone\n");
  const Outcome listing = Update(missing, {});
  EXPECT_EQ(listing.Exit, 2);
  EXPECT_EQ(listing.Err, "norvane-update: The specified path was not found\n");

  TempDir unconfigured;
  const Outcome none = Update(unconfigured, {});
  EXPECT_EQ(none.Exit, 2);
  EXPECT_NE(none.Err.find("names no central installation"), std::string::npos);
}

TEST(UpdateCommand, UpdatesFromTheFileServerWhenTheUrlIsSet) {
  TempDir central, local;
  Place(central, "Treasury.exe", "t", Age(1));
  Place(central, "Relatorio\\Censo.rav", "r", Age(2));
  // A fresh installation: the report folder comes as the launcher's start makes it.
  RunningFileServer server(central.Path().string());
  local.Write("Norvane.ini", "[Servidor]\nLocal Exe=/nowhere\nurl=" + server.Base() + "\n");
  testing::internal::CaptureStderr();
  const Outcome first = Update(local, {"", "Treasury.exe", true, false});
  const Outcome second = Update(local, {"", "Treasury.exe", true, false});
  testing::internal::GetCapturedStderr();
  EXPECT_EQ(first.Exit, 0);
  EXPECT_EQ(SortedLines(first.Out),
            (std::vector<std::string>{"2 fetched, 0 failed", "fetched  Relatorio\\Censo.rav",
                                      "fetched  Treasury.exe"}));
  EXPECT_EQ(second.Out, "0 fetched, 0 failed\n");
  EXPECT_EQ(ReadAll(local / "Treasury.exe"), "t");
}

TEST(UpdateCommand, RefusesAModuleNameThatLeadsOutOfTheInstallation) {
  TempDir central, local;
  // A central listing that names files outside the installation, as a hostile server might.
  TestHttpServer server;
  server.Server.Get("/folderlist", [](const httplib::Request&, httplib::Response& res) {
    res.set_content(R"([{"FileName":"..\\x.exe","Age":"2026-12-01T10:00:00"},)"
                    R"({"FileName":"/tmp/x.exe","Age":"2026-12-01T10:00:00"},)"
                    R"({"FileName":"Relatorio\\Censo.rav","Age":"2026-12-01T10:00:00"}])",
                    "application/json");
  });
  server.Server.Get("/download", [](const httplib::Request&, httplib::Response& res) {
    res.set_content("planted", "application/octet-stream");
  });
  server.Start();
  const std::filesystem::path install = local / "install";
  std::filesystem::create_directories(install / "Relatorio");
  std::ofstream(install / "Norvane.ini") << "[Servidor]\nurl=" << server.Base() << "\n";
  const struct {
    const char *Module, *Problem;
  } cases[] = {
      {"..\\x.exe", "leads out of the installation"},
      {"../x.exe", "leads out of the installation"},
      {"Relatorio\\..\\..\\x.exe", "leads out of the installation"},
      {"/tmp/x.exe", "is not a relative name"},
      {"\\x.exe", "is not a relative name"},
      {"C:x.exe", "is not a relative name"},
      {".\\x.exe", "is not a plain file name"},
      {"Relatorio\\\\x.exe", "is not a plain file name"},
      {"x|.exe", "Invalid characters in path"},
  };
  testing::internal::CaptureStderr();
  for (const auto& c : cases) {
    std::ostringstream out, err;
    TUpdateCommand command{install.string(), c.Module, false, false};
    EXPECT_EQ(RunUpdate(command, "/nowhere/norvane-update", out, err), ExitUsage) << c.Module;
    EXPECT_EQ(err.str(),
              std::string("norvane-update: --module ") + c.Module + ": " + c.Problem + "\n");
  }
  EXPECT_FALSE(std::filesystem::exists(local / "x.exe"));
  EXPECT_FALSE(std::filesystem::exists("/tmp/x.exe"));
  // A name inside a subfolder of the installation is a module name like any other.
  std::ostringstream out, err;
  EXPECT_EQ(RunUpdate({install.string(), "Relatorio\\Censo.rav", false, false},
                      "/nowhere/norvane-update", out, err),
            ExitAllFetched)
      << err.str();
  testing::internal::GetCapturedStderr();
  EXPECT_EQ(ReadAll(install / "Relatorio/Censo.rav"), "planted");
}
