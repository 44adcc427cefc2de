#pragma once
#include <arpa/inet.h>
#include <chrono>
#include <httplib.h>
#include <netinet/in.h>
#include <string>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace testing_support {

// An HTTP server on a free loopback port, run on a thread of its own for one test.
class TestHttpServer {
public:
  httplib::Server Server;

  // Call after registering the handlers.
  void Start() {
    // A client keeps its connection for its next download; the server's end waits that long
    // for it to close.
    Server.set_keep_alive_timeout(1);
    FPort = Server.bind_to_any_port("127.0.0.1");
    FThread = std::thread([this] { Server.listen_after_bind(); });
    while (!Server.is_running())
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  ~TestHttpServer() {
    Server.stop();
    if (FThread.joinable())
      FThread.join();
  }
  int Port() const { return FPort; }
  std::string Base() const { return "http://127.0.0.1:" + std::to_string(FPort); }

private:
  int FPort = 0;
  std::thread FThread;
};

// A port nobody listens on: bound, then closed again.
inline int ClosedPort() {
  const int s = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address);
  socklen_t length = sizeof address;
  getsockname(s, reinterpret_cast<sockaddr*>(&address), &length);
  close(s);
  return ntohs(address.sin_port);
}

// Accepts connections on a loopback port and never answers them.
class SilentServer {
public:
  SilentServer() {
    FSocket = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(FSocket, reinterpret_cast<sockaddr*>(&address), sizeof address);
    listen(FSocket, 16);
    socklen_t length = sizeof address;
    getsockname(FSocket, reinterpret_cast<sockaddr*>(&address), &length);
    FPort = ntohs(address.sin_port);
  }
  ~SilentServer() { close(FSocket); } // the pending connections go with the listening socket
  std::string Base() const { return "http://127.0.0.1:" + std::to_string(FPort); }

private:
  int FSocket = -1;
  int FPort = 0;
};

} // namespace testing_support
