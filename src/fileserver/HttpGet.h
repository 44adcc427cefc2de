#pragma once
#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// One HTTP GET with the system's HTTP client (libcurl on Linux, WinHTTP on Windows):
// redirections followed, the system's certificate store and host name checks for TLS, the
// system's proxy settings, 30-second time-outs.
struct THttpTimeouts {
  std::chrono::milliseconds Connect{30'000};
  // A transfer that moves no byte for this long ends: WinHTTP's send and receive time-outs;
  // libcurl, which has none of its own, counts it as a stall.
  std::chrono::seconds Stall{30};
};

struct THttpResponse {
  long Status = 0;
  std::string StatusLine; // "HTTP/1.1 503 Service Unavailable"
  std::string ContentType;
  std::int64_t ContentLength = -1; // -1 when the answer does not say
  bool Stopped = false;            // the sink stopped the transfer before the body's end
};

// Receives the body as it arrives; false stops the transfer (the answer so far is returned).
using TBodySink = std::function<bool(std::string_view chunk, const THttpResponse& response)>;

class EHttpTransportError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// Gzip: the answer may come compressed (a listing shrinks tenfold); the sink gets it
// decompressed. Identity for files, whose length the download checks against the header.
enum class TAcceptEncoding { Identity, Gzip };

struct THttpOptions {
  TAcceptEncoding Encoding = TAcceptEncoding::Identity;
  // The connection stays open for the thread's next request (libcurl; WinHTTP keeps its
  // connections for the process): for the downloads of a run, on workers that end with it.
  bool KeepConnection = false;
};

// Raises EHttpTransportError with the transport's own message when no complete answer came,
// unless the sink itself stopped it.
THttpResponse HttpGet(const std::string& url, const std::vector<std::string>& headers,
                      const TBodySink& sink, const THttpTimeouts& timeouts = {},
                      const THttpOptions& options = {});

// The URL as the HTTP layer takes it: blanks trimmed, "http://" in front when it names no scheme.
std::string WithScheme(std::string_view url);
