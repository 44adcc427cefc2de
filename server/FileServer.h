#pragma once
#include <chrono>
#include <memory>
#include <optional>
#include <string>

// How the server treats its clients; the defaults suit a hospital's workstations talking to
// it directly.
struct TServerOptions {
  // A request's whole header must arrive within this, also the wait for the next request on a
  // kept-alive connection: a slow or idle client cannot hold a connection for longer.
  std::chrono::milliseconds HeaderDeadline{10'000};
  // A client that takes no bytes of an answer for this long is dropped.
  std::chrono::milliseconds WriteStall{30'000};
  std::size_t MaxHeaderBytes = 16 * 1024;
  int MaxConnections = 10'000;
  // A workstation fetches up to 2 x its processors at once, and a terminal server holds many
  // users behind one address. 0: no limit (behind a front server, every client is that server).
  int MaxPerAddress = 256;
  std::chrono::milliseconds ListingCacheTtl{2'000};
  // When set, a download is answered with this prefix and the file's path in X-Accel-Redirect,
  // for the front server (nginx) to send the file itself.
  std::string AccelRedirect;
  int Threads = 0; // 0: one per processor, at least two
};

// The reference file server: answers the launcher's folder listing and download requests for
// the tree under one root folder, and never serves anything outside it.
class TFileServer {
public:
  // Raises std::runtime_error when the root cannot be opened.
  explicit TFileServer(const std::string& root, TServerOptions options = {});
  ~TFileServer();

  // Binds to HOST:PORT (port 0: any free one) and returns the port, or nothing.
  std::optional<int> Bind(const std::string& host, int port);
  // Serves until Stop (or, with `stopOnSignals`, SIGINT or SIGTERM); blocks.
  bool Serve(bool stopOnSignals = false);
  // From any thread; Serve returns soon after.
  void Stop();
  // Builds the whole listing once as soon as it serves, so the tree's warnings come at start
  // and the first workstation is served from the cache.
  void Warm();

private:
  class TImpl;
  std::unique_ptr<TImpl> FImpl;
};
