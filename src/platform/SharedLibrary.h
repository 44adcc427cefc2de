#pragma once
#include <string>

namespace platform {

// A shared library loaded when first needed (LoadLibrary on Windows, dlopen here), so that a
// program pays for a large library and its dependencies only on the paths that use it.
class TSharedLibrary {
public:
  // Raises with the loader's message when the library cannot be loaded.
  explicit TSharedLibrary(const std::string& name);
  ~TSharedLibrary();
  TSharedLibrary(const TSharedLibrary&) = delete;
  TSharedLibrary& operator=(const TSharedLibrary&) = delete;

  // Raises when the library has no such symbol.
  void* Symbol(const char* name) const;

private:
  void* FHandle = nullptr;
};

} // namespace platform
