#pragma once
#include "FileServer.h"

#include <string>
#include <thread>

namespace testing_support {

// The reference file server over `root` on a free loopback port, for one test.
class RunningFileServer {
public:
  explicit RunningFileServer(const std::string& root) : FServer(root) {
    FPort = FServer.Bind("127.0.0.1", 0).value_or(0);
    FThread = std::thread([this] { FServer.Serve(); });
  }
  ~RunningFileServer() {
    FServer.Stop();
    FThread.join();
  }
  std::string Base() const { return "http://127.0.0.1:" + std::to_string(FPort); }

private:
  TFileServer FServer;
  int FPort = 0;
  std::thread FThread;
};

} // namespace testing_support
