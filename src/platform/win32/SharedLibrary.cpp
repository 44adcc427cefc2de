#include "SharedLibrary.h"

#include "Errors.h"
#include "WideText.h"

namespace platform {

TSharedLibrary::TSharedLibrary(const std::string& name) {
  FHandle = LoadLibraryW(Widen(name).c_str());
  if (!FHandle)
    throw EError(SystemErrorMessage(int(GetLastError())));
}

TSharedLibrary::~TSharedLibrary() { FreeLibrary(static_cast<HMODULE>(FHandle)); }

void* TSharedLibrary::Symbol(const char* name) const {
  auto* symbol = reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(FHandle), name));
  if (!symbol)
    throw EError(std::string("Missing symbol ") + name);
  return symbol;
}

} // namespace platform
