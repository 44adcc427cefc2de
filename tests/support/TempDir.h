#pragma once
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>
#include <string>

namespace testing_support {

// A fresh folder under the system's temporary folder (or `base`), removed with everything in it.
class TempDir {
public:
  explicit TempDir(const std::filesystem::path& base = std::filesystem::temp_directory_path()) {
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
      char name[32];
      std::snprintf(name, sizeof name, "norvane-test-%08x", unsigned(random()));
      if (std::filesystem::create_directory(base / name)) { // false when it was there already
        FPath = base / name;
        std::filesystem::permissions(FPath, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::replace);
        return;
      }
    }
    throw std::runtime_error("no fresh temporary folder");
  }
  ~TempDir() {
    // Tests deny removal (a read-only folder here, a read-only file on Windows): undo it first.
    std::error_code ignored;
    const auto writable = [&](const std::filesystem::path& path) {
      std::filesystem::permissions(path, std::filesystem::perms::owner_all,
                                   std::filesystem::perm_options::add, ignored);
    };
    writable(FPath);
    for (auto it = std::filesystem::recursive_directory_iterator(FPath, ignored);
         it != std::filesystem::recursive_directory_iterator(); it.increment(ignored)) {
      if (!it->is_symlink(ignored))
        writable(it->path());
    }
    std::filesystem::remove_all(FPath, ignored);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& Path() const { return FPath; }
  // The folder as the program passes folders around: with a trailing separator.
  std::string Folder() const { return FPath.string() + "/"; }
  std::filesystem::path operator/(const std::string& name) const { return FPath / name; }

  std::filesystem::path Write(const std::string& name, const std::string& content) const {
    const auto path = FPath / name;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << content;
    return path;
  }

private:
  std::filesystem::path FPath;
};

// A path as the program passes paths around: UTF-8, whatever the system's narrow code page.
inline std::string Utf8(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

inline std::string ReadAll(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

} // namespace testing_support
