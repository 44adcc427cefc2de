// A program for the tests to start, on either system: writes "ARGUMENTS VARIABLE FOLDER" to the
// file NORVANE_PROBE_MARKER names, runs for NORVANE_PROBE_MS milliseconds and exits with the
// status NORVANE_PROBE_EXIT gives.
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

int main(int argc, char*[]) {
  if (const char* marker = std::getenv("NORVANE_PROBE_MARKER")) {
    const char* variable = std::getenv("NORVANE_PROCESS_TEST");
    std::ofstream(std::filesystem::path(marker), std::ios::binary)
        << argc - 1 << ' ' << (variable ? variable : "-") << ' '
        << std::filesystem::current_path().string() << '\n';
  }
  if (const char* ms = std::getenv("NORVANE_PROBE_MS"))
    std::this_thread::sleep_for(std::chrono::milliseconds(std::atoi(ms)));
  const char* status = std::getenv("NORVANE_PROBE_EXIT");
  return status ? std::atoi(status) : 0;
}
