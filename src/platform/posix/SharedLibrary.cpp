#include "SharedLibrary.h"

#include "Errors.h"

#include <dlfcn.h>

namespace platform {

TSharedLibrary::TSharedLibrary(const std::string& name) {
  FHandle = dlopen(name.c_str(), RTLD_LAZY | RTLD_LOCAL);
  if (!FHandle) {
    const char* error = dlerror();
    throw EError(error ? error : "Cannot load " + name);
  }
}

TSharedLibrary::~TSharedLibrary() { dlclose(FHandle); }

void* TSharedLibrary::Symbol(const char* name) const {
  void* symbol = dlsym(FHandle, name);
  if (!symbol)
    throw EError(std::string("Missing symbol ") + name);
  return symbol;
}

} // namespace platform
