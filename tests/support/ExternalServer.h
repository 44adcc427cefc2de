#pragma once
#include "TestHttpServer.h"

#include <csignal>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace testing_support {

// A server program of someone else's (nginx, squid) run in the foreground for one test.
class ExternalServer {
public:
  ExternalServer(const std::vector<std::string>& argv, int port) : FPort(port) {
    FPid = fork();
    if (FPid == 0) {
      std::vector<char*> args;
      for (const auto& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
      args.push_back(nullptr);
      execv(args[0], args.data());
      _exit(127);
    }
  }
  ~ExternalServer() {
    if (FPid > 0) {
      kill(FPid, SIGTERM);
      waitpid(FPid, nullptr, 0);
    }
  }

  // Waits until the port takes connections.
  bool WaitReady(std::chrono::seconds limit = std::chrono::seconds(20)) const {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < deadline) {
      const int s = socket(AF_INET, SOCK_STREAM, 0);
      sockaddr_in address{};
      address.sin_family = AF_INET;
      address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
      address.sin_port = htons(std::uint16_t(FPort));
      const bool up = connect(s, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
      close(s);
      if (up)
        return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
  }

private:
  pid_t FPid = -1;
  int FPort;
};

} // namespace testing_support
