#include "HttpGet.h"

#include "CurlLibrary.h"

#include <memory>

namespace {
// Each owner frees what it holds, whatever way the request ends.
struct CurlDeleter {
  void operator()(CURL* handle) const { Curl().easy_cleanup(handle); }
};
struct ListDeleter {
  void operator()(curl_slist* list) const { Curl().slist_free_all(list); }
};
using CurlHandle = std::unique_ptr<CURL, CurlDeleter>;
using HeaderList = std::unique_ptr<curl_slist, ListDeleter>;

struct Transfer {
  const TBodySink* Sink;
  THttpResponse Response;
  std::string Reason;
  CURL* Handle;
};

std::string_view TrimLine(std::string_view line) {
  while (!line.empty() && (line.back() == '\r' || line.back() == '\n' || line.back() == ' '))
    line.remove_suffix(1);
  return line;
}

// Keeps the reason phrase of the last status line: after redirections, that of the answer.
size_t OnHeader(char* data, size_t size, size_t count, void* user) {
  auto* transfer = static_cast<Transfer*>(user);
  const std::string_view line = TrimLine(std::string_view(data, size * count));
  if (line.substr(0, 5) == "HTTP/") {
    const auto code = line.find(' ');
    const auto reason = code == std::string_view::npos ? code : line.find(' ', code + 1);
    transfer->Reason = reason == std::string_view::npos ? "" : std::string(line.substr(reason + 1));
  }
  return size * count;
}

size_t OnBody(char* data, size_t size, size_t count, void* user) {
  auto* transfer = static_cast<Transfer*>(user);
  THttpResponse& response = transfer->Response;
  Curl().easy_getinfo(transfer->Handle, CURLINFO_RESPONSE_CODE, &response.Status);
  curl_off_t length = -1;
  if (Curl().easy_getinfo(transfer->Handle, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length) ==
      CURLE_OK)
    response.ContentLength = length;
  response.Stopped = !(*transfer->Sink)(std::string_view(data, size * count), response);
  return response.Stopped ? 0 : size * count; // 0 ends the transfer
}

std::string VersionPrefix(long version) {
  switch (version) {
  case CURL_HTTP_VERSION_1_0: return "HTTP/1.0 ";
  case CURL_HTTP_VERSION_1_1: return "HTTP/1.1 ";
  case CURL_HTTP_VERSION_2_0: return "HTTP/2.0 ";
  default: return "";
  }
}

// The thread's handle, its options cleared: it keeps its connections open for the thread's next
// request, so the downloads of a run do not each connect anew.
CURL* ThreadHandle(const TCurlLibrary& curl) {
  thread_local CurlHandle handle;
  if (handle)
    curl.easy_reset(handle.get());
  else
    handle.reset(curl.easy_init());
  return handle.get();
}
} // namespace

THttpResponse HttpGet(const std::string& url, const std::vector<std::string>& headers,
                      const TBodySink& sink, const THttpTimeouts& timeouts,
                      const THttpOptions& options) {
  const TCurlLibrary* curl = nullptr;
  try {
    curl = &Curl();
  } catch (const std::exception& e) {
    throw EHttpTransportError(e.what());
  }
  CurlHandle own(options.KeepConnection ? nullptr : curl->easy_init());
  CURL* h = options.KeepConnection ? ThreadHandle(*curl) : own.get();
  if (!h)
    throw EHttpTransportError("Out of memory");
  HeaderList list;
  for (const std::string& header : headers)
    list.reset(curl->slist_append(list.release(), header.c_str()));
  Transfer transfer{&sink, {}, {}, h};
  char error[CURL_ERROR_SIZE] = {};
  if (options.Encoding == TAcceptEncoding::Gzip)
    curl->easy_setopt(h, CURLOPT_ACCEPT_ENCODING, "gzip");
  curl->easy_setopt(h, CURLOPT_URL, url.c_str());
  curl->easy_setopt(h, CURLOPT_HTTPGET, 1L);
  curl->easy_setopt(h, CURLOPT_HTTPHEADER, list.get());
  curl->easy_setopt(h, CURLOPT_FOLLOWLOCATION, 1L);
  curl->easy_setopt(h, CURLOPT_MAXREDIRS, 10L);
  curl->easy_setopt(h, CURLOPT_CONNECTTIMEOUT_MS, long(timeouts.Connect.count()));
  curl->easy_setopt(h, CURLOPT_LOW_SPEED_LIMIT, 1L);
  curl->easy_setopt(h, CURLOPT_LOW_SPEED_TIME, long(timeouts.Stall.count()));
  curl->easy_setopt(h, CURLOPT_NOSIGNAL, 1L); // safe on worker threads
  curl->easy_setopt(h, CURLOPT_ERRORBUFFER, error);
  curl->easy_setopt(h, CURLOPT_HEADERFUNCTION, &OnHeader);
  curl->easy_setopt(h, CURLOPT_HEADERDATA, &transfer);
  curl->easy_setopt(h, CURLOPT_WRITEFUNCTION, &OnBody);
  curl->easy_setopt(h, CURLOPT_WRITEDATA, &transfer);
  curl->easy_setopt(h, CURLOPT_USERAGENT, "Norvane launcher");
  const CURLcode result = curl->easy_perform(h);
  // The buffer and the header list end with this call; the handle lives on.
  curl->easy_setopt(h, CURLOPT_ERRORBUFFER, nullptr);
  curl->easy_setopt(h, CURLOPT_HTTPHEADER, nullptr);
  if (result != CURLE_OK && !(result == CURLE_WRITE_ERROR && transfer.Response.Stopped))
    throw EHttpTransportError(error[0] ? error : curl->easy_strerror(result));
  curl->easy_getinfo(h, CURLINFO_RESPONSE_CODE, &transfer.Response.Status);
  long version = 0;
  curl->easy_getinfo(h, CURLINFO_HTTP_VERSION, &version);
  char* contentType = nullptr;
  curl->easy_getinfo(h, CURLINFO_CONTENT_TYPE, &contentType);
  transfer.Response.ContentType = contentType ? contentType : "";
  transfer.Response.StatusLine =
      VersionPrefix(version) + std::to_string(transfer.Response.Status) + " " + transfer.Reason;
  return transfer.Response;
}
