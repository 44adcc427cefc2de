// norvane-fileserver --root DIR [--listen HOST:PORT]   (default 127.0.0.1:8080)
#include "FileServer.h"

#include <csignal>
#include <cstdio>
#include <string>
#include <sys/stat.h>

namespace {
TFileServer* Running = nullptr;
void OnSignal(int) {
  if (Running)
    Running->Stop();
}
} // namespace

int main(int argc, char* argv[]) {
  std::string root, listen = "127.0.0.1:8080";
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--root" && i + 1 < argc)
      root = argv[++i];
    else if (arg == "--listen" && i + 1 < argc)
      listen = argv[++i];
    else
      root.clear(), i = argc;
  }
  const auto colon = listen.rfind(':');
  struct stat st {};
  if (root.empty() || colon == std::string::npos || stat(root.c_str(), &st) != 0 ||
      !S_ISDIR(st.st_mode)) {
    std::fprintf(stderr, "usage: norvane-fileserver --root DIR [--listen HOST:PORT]\n");
    return 64;
  }
  TFileServer server(root);
  const auto port = server.Bind(listen.substr(0, colon), std::stoi(listen.substr(colon + 1)));
  if (!port) {
    std::fprintf(stderr, "norvane-fileserver: cannot listen on %s\n", listen.c_str());
    return 1;
  }
  std::printf("Serving %s on http://%s:%d\n", root.c_str(), listen.substr(0, colon).c_str(), *port);
  std::fflush(stdout);
  Running = &server;
  std::signal(SIGINT, OnSignal);
  std::signal(SIGTERM, OnSignal);
  return server.Serve() ? 0 : 1;
}
