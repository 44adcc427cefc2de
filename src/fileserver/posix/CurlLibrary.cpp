#include "CurlLibrary.h"

#include "SharedLibrary.h"

#include <memory>
#include <mutex>

namespace {
template <class F> void Bind(const platform::TSharedLibrary& library, F& function, const char* name) {
  function = reinterpret_cast<F>(library.Symbol(name));
}

TCurlLibrary Load(const platform::TSharedLibrary& library) {
  TCurlLibrary curl{};
  Bind(library, curl.global_init, "curl_global_init");
  Bind(library, curl.easy_init, "curl_easy_init");
  Bind(library, curl.easy_reset, "curl_easy_reset");
  Bind(library, curl.easy_setopt, "curl_easy_setopt");
  Bind(library, curl.easy_perform, "curl_easy_perform");
  Bind(library, curl.easy_getinfo, "curl_easy_getinfo");
  Bind(library, curl.easy_cleanup, "curl_easy_cleanup");
  Bind(library, curl.easy_strerror, "curl_easy_strerror");
  Bind(library, curl.slist_append, "curl_slist_append");
  Bind(library, curl.slist_free_all, "curl_slist_free_all");
  curl.global_init(CURL_GLOBAL_DEFAULT);
  return curl;
}
} // namespace

const TCurlLibrary& Curl() {
  // Kept for the life of the process, as curl's global state must be, and never closed: closing
  // it at exit unmaps its thirty-odd libraries one by one, which costs a run milliseconds.
  static const platform::TSharedLibrary* const library =
      new platform::TSharedLibrary("libcurl.so.4");
  static const TCurlLibrary curl = Load(*library);
  return curl;
}
