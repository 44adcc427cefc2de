#include "HttpGet.h"

#include "WideText.h"

#include <windows.h>
#include <winhttp.h>

#include <algorithm>
#include <memory>

namespace {
struct HandleCloser {
  void operator()(void* handle) const { WinHttpCloseHandle(handle); }
};
using THandle = std::unique_ptr<void, HandleCloser>;

// WinHTTP's own codes (12001…12192) have their texts in winhttp.dll, the rest in the system.
std::string ErrorText(DWORD code) {
  wchar_t* text = nullptr;
  const DWORD flags = FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                      FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_FROM_HMODULE;
  const DWORD length = FormatMessageW(flags, GetModuleHandleW(L"winhttp.dll"), code, 0,
                                      reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring message = length ? std::wstring(text, length) : std::wstring();
  LocalFree(text);
  while (!message.empty() && (message.back() == L'\r' || message.back() == L'\n' ||
                              message.back() == L' ' || message.back() == L'.'))
    message.pop_back();
  if (message.empty())
    return "WinHTTP error " + std::to_string(code);
  return platform::Narrow(message);
}

[[noreturn]] void Fail() { throw EHttpTransportError(ErrorText(GetLastError())); }

// One session for the process: WinHTTP pools its connections per session.
HINTERNET Session() {
  static const THandle session = [] {
    HINTERNET handle = WinHttpOpen(L"Norvane launcher", WINHTTP_ACCESS_TYPE_AUTOMATIC_PROXY,
                                   WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0);
    if (!handle) // before Windows 8.1: the proxy set with netsh
      handle = WinHttpOpen(L"Norvane launcher", WINHTTP_ACCESS_TYPE_DEFAULT_PROXY,
                           WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0);
    return THandle(handle);
  }();
  if (!session)
    Fail();
  return session.get();
}

struct TTarget {
  std::wstring Host, Path;
  INTERNET_PORT Port = 0;
  bool Secure = false;
};

TTarget Crack(const std::string& url) {
  const std::wstring wide = platform::Widen(url);
  URL_COMPONENTS parts{};
  parts.dwStructSize = sizeof parts;
  parts.dwHostNameLength = parts.dwUrlPathLength = parts.dwExtraInfoLength = DWORD(-1);
  parts.dwSchemeLength = DWORD(-1);
  if (!WinHttpCrackUrl(wide.c_str(), DWORD(wide.size()), 0, &parts))
    Fail();
  TTarget target;
  target.Host.assign(parts.lpszHostName, parts.dwHostNameLength);
  target.Path.assign(parts.lpszUrlPath, parts.dwUrlPathLength);
  target.Path.append(parts.lpszExtraInfo, parts.dwExtraInfoLength);
  if (target.Path.empty())
    target.Path = L"/";
  target.Port = parts.nPort;
  target.Secure = parts.nScheme == INTERNET_SCHEME_HTTPS;
  return target;
}

// A header of the answer as text; empty when it has none.
std::string QueryText(HINTERNET request, DWORD what) {
  DWORD bytes = 0;
  WinHttpQueryHeaders(request, what, WINHTTP_HEADER_NAME_BY_INDEX, WINHTTP_NO_OUTPUT_BUFFER,
                      &bytes, WINHTTP_NO_HEADER_INDEX);
  if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || bytes == 0)
    return {};
  std::wstring text(bytes / sizeof(wchar_t), L'\0');
  if (!WinHttpQueryHeaders(request, what, WINHTTP_HEADER_NAME_BY_INDEX, text.data(), &bytes,
                           WINHTTP_NO_HEADER_INDEX))
    return {};
  text.resize(bytes / sizeof(wchar_t));
  return platform::Narrow(text);
}

THttpResponse ReadHead(HINTERNET request) {
  THttpResponse response;
  DWORD status = 0, size = sizeof status;
  if (!WinHttpQueryHeaders(request, WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                           WINHTTP_HEADER_NAME_BY_INDEX, &status, &size, WINHTTP_NO_HEADER_INDEX))
    Fail();
  response.Status = long(status);
  response.StatusLine = QueryText(request, WINHTTP_QUERY_VERSION) + " " + std::to_string(status) +
                        " " + QueryText(request, WINHTTP_QUERY_STATUS_TEXT);
  response.ContentType = QueryText(request, WINHTTP_QUERY_CONTENT_TYPE);
  const std::string length = QueryText(request, WINHTTP_QUERY_CONTENT_LENGTH);
  if (!length.empty() && length.find_first_not_of("0123456789") == std::string::npos && length.size() < 19)
    response.ContentLength = std::stoll(length);
  return response;
}

std::wstring HeaderBlock(const std::vector<std::string>& headers) {
  std::string block;
  for (const std::string& header : headers)
    block += header + "\r\n";
  return platform::Widen(block);
}
} // namespace

THttpResponse HttpGet(const std::string& url, const std::vector<std::string>& headers,
                      const TBodySink& sink, const THttpTimeouts& timeouts,
                      const THttpOptions& options) {
  const TTarget target = Crack(url);
  const THandle connection(WinHttpConnect(Session(), target.Host.c_str(), target.Port, 0));
  if (!connection)
    Fail();
  const THandle request(WinHttpOpenRequest(connection.get(), L"GET", target.Path.c_str(), nullptr,
                                           WINHTTP_NO_REFERER, WINHTTP_DEFAULT_ACCEPT_TYPES,
                                           target.Secure ? WINHTTP_FLAG_SECURE : 0));
  if (!request)
    Fail();
  const int connect = int(timeouts.Connect.count());
  const int stall = int(std::chrono::milliseconds(timeouts.Stall).count());
  WinHttpSetTimeouts(request.get(), 0, connect, stall, stall);
  if (options.Encoding == TAcceptEncoding::Gzip) {
    // WinHTTP asks for gzip itself and decompresses; where it cannot (before Windows 8.1),
    // the answer comes plain.
    DWORD decompression = WINHTTP_DECOMPRESSION_FLAG_GZIP;
    WinHttpSetOption(request.get(), WINHTTP_OPTION_DECOMPRESSION, &decompression,
                     sizeof decompression);
  }
  const std::wstring block = HeaderBlock(headers);
  if (!WinHttpSendRequest(request.get(), block.empty() ? WINHTTP_NO_ADDITIONAL_HEADERS : block.c_str(),
                          block.empty() ? 0 : DWORD(-1), WINHTTP_NO_REQUEST_DATA, 0, 0, 0) ||
      !WinHttpReceiveResponse(request.get(), nullptr))
    Fail();
  THttpResponse response = ReadHead(request.get());
  std::string buffer(64 * 1024, '\0');
  for (;;) {
    DWORD read = 0;
    if (!WinHttpReadData(request.get(), buffer.data(), DWORD(buffer.size()), &read))
      Fail();
    if (read == 0)
      return response;
    if (!sink(std::string_view(buffer.data(), read), response)) {
      response.Stopped = true;
      return response;
    }
  }
}
