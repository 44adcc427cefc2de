#pragma once
#include <memory>
#include <optional>
#include <string>

namespace httplib {
class Server;
}

// The reference file server: answers the launcher's folder listing and download requests for
// the tree under one root folder, and never serves anything outside it.
class TFileServer {
public:
  explicit TFileServer(std::string root);
  ~TFileServer();

  // Binds to HOST:PORT (port 0: any free one) and returns the port, or nothing.
  std::optional<int> Bind(const std::string& host, int port);
  // Serves until Stop; blocks.
  bool Serve();
  void Stop();

private:
  void Routes();
  void WidenBacklog() const;

  std::string FRoot; // canonical, no trailing separator
  std::unique_ptr<httplib::Server> FServer;
  int FListenSocket = -1;
};
