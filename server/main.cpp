// norvane-fileserver --root DIR [--listen HOST:PORT] [--accel-redirect PREFIX]
//                    [--max-per-address N] [--cache-seconds N] [--header-seconds N]
//                    [--threads N]
#include "FileServer.h"
#include "Log.h"

#include <charconv>
#include <cstdio>
#include <optional>
#include <string>
#include <sys/stat.h>

namespace {
constexpr const char* Usage =
    "usage: norvane-fileserver --root DIR [--listen HOST:PORT] [--accel-redirect PREFIX]\n"
    "                          [--max-per-address N] [--cache-seconds N] [--header-seconds N]\n"
    "                          [--threads N]\n";

struct TCommand {
  std::string Root;
  std::string Host = "127.0.0.1";
  int Port = 8080;
  TServerOptions Options;
};

std::optional<int> Number(const std::string& text, int low, int high) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < low ||
      value > high)
    return std::nullopt;
  return value;
}

// Nothing, after saying why on standard error, for a command line that does not fit.
std::optional<TCommand> Parse(int argc, char* argv[]) {
  TCommand command;
  const auto bad = [](const std::string& why) -> std::optional<TCommand> {
    std::fprintf(stderr, "norvane-fileserver: %s\n%s", why.c_str(), Usage);
    return std::nullopt;
  };
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (i + 1 >= argc)
      return bad(arg == "--root" || arg == "--listen" ? arg + " needs a value"
                                                      : "unknown argument " + arg);
    const std::string value = argv[++i];
    if (arg == "--root") {
      command.Root = value;
    } else if (arg == "--listen") {
      const auto colon = value.rfind(':');
      const auto port =
          colon == std::string::npos ? std::nullopt : Number(value.substr(colon + 1), 0, 65535);
      if (!port || colon == 0)
        return bad("--listen wants HOST:PORT with a port from 0 to 65535, not " + value);
      command.Host = value.substr(0, colon);
      if (command.Host.size() > 2 && command.Host.front() == '[' && command.Host.back() == ']')
        command.Host = command.Host.substr(1, command.Host.size() - 2);
      command.Port = *port;
    } else if (arg == "--accel-redirect") {
      if (value.empty() || value.front() != '/' || value.back() != '/')
        return bad("--accel-redirect wants a location that begins and ends with /");
      command.Options.AccelRedirect = value;
    } else if (arg == "--max-per-address") {
      const auto limit = Number(value, 0, 1'000'000);
      if (!limit)
        return bad("--max-per-address wants a number (0: no limit), not " + value);
      command.Options.MaxPerAddress = *limit;
    } else if (arg == "--threads") {
      const auto threads = Number(value, 1, 256);
      if (!threads)
        return bad("--threads wants a number from 1 to 256, not " + value);
      command.Options.Threads = *threads;
    } else if (arg == "--header-seconds") {
      const auto seconds = Number(value, 1, 3600);
      if (!seconds)
        return bad("--header-seconds wants a number from 1 to 3600, not " + value);
      command.Options.HeaderDeadline = std::chrono::seconds(*seconds);
    } else if (arg == "--cache-seconds") {
      const auto seconds = Number(value, 0, 3600);
      if (!seconds)
        return bad("--cache-seconds wants a number from 0 to 3600, not " + value);
      command.Options.ListingCacheTtl = std::chrono::seconds(*seconds);
    } else {
      return bad("unknown argument " + arg);
    }
  }
  struct stat st {};
  if (command.Root.empty())
    return bad("--root is required");
  if (stat(command.Root.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
    return bad("--root " + command.Root + " is not a folder");
  return command;
}
} // namespace

int main(int argc, char* argv[]) {
  const auto command = Parse(argc, argv);
  if (!command)
    return 64;
  try {
    TFileServer server(command->Root, command->Options);
    const auto port = server.Bind(command->Host, command->Port);
    if (!port) {
      std::fprintf(stderr, "norvane-fileserver: cannot listen on %s:%d\n", command->Host.c_str(),
                   command->Port);
      return 1;
    }
    std::printf("Serving %s on http://%s:%d\n", command->Root.c_str(), command->Host.c_str(),
                *port);
    std::fflush(stdout);
    server.Warm();
    server_log::Line("started");
    const bool served = server.Serve(true);
    server_log::Line("stopped");
    return served ? 0 : 1;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "norvane-fileserver: %s\n", e.what());
    return 1;
  }
}
