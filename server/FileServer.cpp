#include "FileServer.h"

#include <utility> // before asio: its awaitable.hpp uses std::exchange without it

#include "Listing.h"
#include "Compression.h"
#include "ListingCache.h"
#include "Log.h"
#include "SafePath.h"

#include <boost/asio.hpp>
#include <boost/asio/co_spawn.hpp>
#include <boost/asio/detached.hpp>
#include <boost/asio/redirect_error.hpp>
#include <boost/asio/use_awaitable.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/http.hpp>
#include <cctype>
#include <limits>
#include <mutex>
#include <thread>
#include <unistd.h>
#include <unordered_map>
#include <vector>

namespace asio = boost::asio;
namespace beast = boost::beast;
namespace http = beast::http;
using asio::ip::tcp;
using boost::system::error_code;

namespace {
constexpr std::size_t ChunkBytes = 256 * 1024;
const auto Await = asio::use_awaitable;

std::string Decoded(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto hex = [](char c) {
      return c >= '0' && c <= '9'   ? c - '0'
             : c >= 'a' && c <= 'f' ? c - 'a' + 10
             : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                    : -1;
    };
    if (text[i] == '+') {
      out += ' ';
    } else if (text[i] == '%' && i + 2 < text.size() && hex(text[i + 1]) >= 0 &&
               hex(text[i + 2]) >= 0) {
      out += char(hex(text[i + 1]) * 16 + hex(text[i + 2]));
      i += 2;
    } else {
      out += text[i];
    }
  }
  return out;
}

// The resource (leading slashes dropped: a base URL ending in "/" asks for "//download") and the
// decoded query parameters.
struct TTarget {
  std::string Resource;
  std::unordered_map<std::string, std::string> Query;

  explicit TTarget(std::string_view target) {
    const auto question = target.find('?');
    std::string_view path = target.substr(0, question);
    while (!path.empty() && path.front() == '/')
      path.remove_prefix(1);
    Resource = std::string(path);
    if (question == std::string_view::npos)
      return;
    std::string_view query = target.substr(question + 1);
    while (!query.empty()) {
      const auto amp = query.find('&');
      const std::string_view pair = query.substr(0, amp);
      const auto equal = pair.find('=');
      Query.emplace(Decoded(pair.substr(0, equal)),
                    equal == std::string_view::npos ? "" : Decoded(pair.substr(equal + 1)));
      query = amp == std::string_view::npos ? std::string_view() : query.substr(amp + 1);
    }
  }
  std::string Param(const std::string& name) const {
    const auto found = Query.find(name);
    return found == Query.end() ? std::string() : found->second;
  }
};

// A path for the front server's internal redirect: safe characters as they are.
std::string UrlPath(std::string_view path) {
  static const char* digits = "0123456789ABCDEF";
  std::string out;
  for (const unsigned char c : path) {
    if (std::isalnum(c) || c == '/' || c == '-' || c == '_' || c == '.' || c == '~') {
      out += char(c);
    } else {
      out += '%';
      out += digits[c >> 4];
      out += digits[c & 15];
    }
  }
  return out;
}

// What one answer came to, for the access log.
struct TOutcome {
  int Status = 0;
  std::uint64_t Bytes = 0;
  bool Close = false;
};
} // namespace

class TFileServer::TImpl {
public:
  TImpl(const std::string& root, TServerOptions options)
      : FRoot(root), FOptions(std::move(options)), FCache(FOptions.ListingCacheTtl),
        FIo(std::make_unique<asio::io_context>()), FAcceptor(std::in_place, *FIo) {}

  // Connections still open end first: their ends count down what the server still holds.
  ~TImpl() {
    FAcceptor.reset();
    FIo.reset();
  }

  std::optional<int> Bind(const std::string& host, int port) {
    error_code ec;
    tcp::endpoint endpoint;
    const auto address = asio::ip::make_address(host, ec);
    if (!ec) {
      endpoint = tcp::endpoint(address, std::uint16_t(port));
    } else {
      tcp::resolver resolver(*FIo);
      const auto found = resolver.resolve(host, std::to_string(port), ec);
      if (ec || found.empty())
        return std::nullopt;
      endpoint = *found.begin();
    }
    FAcceptor->open(endpoint.protocol(), ec);
    if (!ec)
      FAcceptor->set_option(tcp::acceptor::reuse_address(true), ec);
    if (!ec)
      FAcceptor->bind(endpoint, ec);
    if (!ec)
      FAcceptor->listen(asio::socket_base::max_listen_connections, ec);
    if (ec) {
      FAcceptor->close(ec);
      return std::nullopt;
    }
    return FAcceptor->local_endpoint().port();
  }

  bool Serve(bool stopOnSignals) {
    if (!FAcceptor->is_open())
      return false;
    asio::signal_set signals(*FIo);
    if (stopOnSignals) {
      signals.add(SIGINT);
      signals.add(SIGTERM);
      signals.async_wait([this](const error_code& ec, int) {
        if (!ec)
          Stop();
      });
    }
    asio::co_spawn(*FIo, Listen(), asio::detached);
    const int count = FOptions.Threads > 0 ? FOptions.Threads
                                           : std::max(2, int(std::thread::hardware_concurrency()));
    std::vector<std::thread> threads;
    for (int i = 1; i < count; ++i)
      threads.emplace_back([this] { FIo->run(); });
    FIo->run();
    for (auto& thread : threads)
      thread.join();
    return true;
  }

  void Stop() {
    FStopping = true;
    FIo->stop();
  }

  // On the server's own threads once it serves: start-up never waits for a large tree.
  void Warm() {
    asio::post(*FIo, [this] { Listing("\\", "*.*", true); });
  }

private:
  TListingCache::TShared Listing(const std::string& folder, const std::string& mask,
                                 bool recursive) {
    const std::string key = folder + '\0' + mask + '\0' + (recursive ? "1" : "0");
    return FCache.Get(key, [&] {
      TListing listing = BuildListing(FRoot, folder, mask, recursive, FStopping);
      listing.GzipBody = Gzip(listing.Body);
      return listing;
    });
  }

  asio::awaitable<void> Listen() {
    for (;;) {
      error_code ec;
      // Each connection on a strand of its own: its time-outs and its reads and writes never
      // run at once on two threads.
      tcp::socket socket = co_await FAcceptor->async_accept(asio::make_strand(*FIo),
                                                            asio::redirect_error(Await, ec));
      if (ec == asio::error::operation_aborted || !FAcceptor->is_open())
        co_return;
      if (ec)
        continue;
      const std::string address = socket.remote_endpoint(ec).address().to_string();
      if (ec || !Admit(address)) {
        socket.close(ec);
        continue;
      }
      const auto strand = socket.get_executor();
      asio::co_spawn(strand, Session(std::move(socket), address), asio::detached);
    }
  }

  // A slow or greedy client may hold only so many connections; the server only so many in all.
  bool Admit(const std::string& address) {
    std::lock_guard guard(FCountLock);
    int& mine = FPerAddress[address];
    if (FConnections >= FOptions.MaxConnections ||
        (FOptions.MaxPerAddress > 0 && mine >= FOptions.MaxPerAddress)) {
      if (mine == 0)
        FPerAddress.erase(address);
      server_log::WarnOnce("refusing connections beyond the limit from " + address);
      return false;
    }
    ++mine;
    ++FConnections;
    return true;
  }

  void Leave(const std::string& address) {
    std::lock_guard guard(FCountLock);
    --FConnections;
    if (--FPerAddress[address] <= 0)
      FPerAddress.erase(address);
  }

  asio::awaitable<void> Session(tcp::socket socket, std::string address) {
    struct Leaving {
      TImpl* Server;
      const std::string& Address;
      ~Leaving() { Server->Leave(Address); }
    } leaving{this, address};
    beast::tcp_stream stream(std::move(socket));
    beast::flat_buffer buffer;
    for (;;) {
      http::request_parser<http::buffer_body> parser;
      parser.header_limit(std::uint32_t(FOptions.MaxHeaderBytes));
      // A body is refused by its header alone, before any of it is read: let the header pass.
      parser.body_limit(std::numeric_limits<std::uint64_t>::max());
      stream.expires_after(FOptions.HeaderDeadline);
      error_code ec;
      co_await http::async_read_header(stream, buffer, parser, asio::redirect_error(Await, ec));
      if (ec == http::error::header_limit) {
        co_await Simple(stream, 431, "Request Header Fields Too Large", "The header is too large",
                        true, 11);
        break;
      }
      if (ec)
        break; // gone, too slow, or not HTTP
      const auto started = std::chrono::steady_clock::now();
      const auto& request = parser.get();
      const TOutcome outcome = co_await Answer(stream, parser);
      const auto micros = std::chrono::duration_cast<std::chrono::microseconds>(
                              std::chrono::steady_clock::now() - started)
                              .count();
      server_log::Line(address + " " + std::string(request.method_string()) + " " +
                       server_log::Escaped(std::string(request.target())) + " " +
                       std::to_string(outcome.Status) + " " + std::to_string(outcome.Bytes) + " " +
                       std::to_string(micros / 1000) + "." + std::to_string(micros / 100 % 10) +
                       "ms");
      if (outcome.Close || !request.keep_alive())
        break;
    }
    error_code ignored;
    stream.socket().shutdown(tcp::socket::shutdown_send, ignored);
  }

  asio::awaitable<TOutcome> Answer(beast::tcp_stream& stream,
                                   http::request_parser<http::buffer_body>& parser) {
    const auto& request = parser.get();
    // The contract has no request bodies: one would only cost memory and time.
    if (parser.chunked() || parser.content_length().value_or(0) > 0)
      co_return co_await Simple(stream, 413, "Payload Too Large", "Requests carry no body", true,
                                request.version());
    if (request.method() != http::verb::get)
      co_return co_await Simple(stream, 405, "Method Not Allowed", "Only GET is served", true,
                                request.version());
    const TTarget target(std::string_view(request.target().data(), request.target().size()));
    if (target.Resource == "folderlist")
      co_return co_await SendListing(stream, request, target);
    if (target.Resource == "download")
      co_return co_await SendFile(stream, request, target);
    co_return co_await Simple(stream, 404, "Not Found", "No such resource", false,
                              request.version());
  }

  template <class Request>
  asio::awaitable<TOutcome> SendListing(beast::tcp_stream& stream, const Request& request,
                                        const TTarget& target) {
    const TListingCache::TShared listing =
        Listing(target.Param("folder"), target.Param("mask"), target.Query.count("recursive") > 0);
    http::response<http::buffer_body> response{http::status(listing->Status), request.version()};
    response.set(http::field::content_type, "application/json; charset=utf-8");
    response.set(http::field::vary, "Accept-Encoding");
    const auto accepted = request[http::field::accept_encoding];
    const bool gzip = AcceptsGzip(std::string_view(accepted.data(), accepted.size()));
    if (gzip)
      response.set(http::field::content_encoding, "gzip");
    const std::string& body = gzip ? listing->GzipBody : listing->Body;
    response.keep_alive(request.keep_alive());
    response.content_length(body.size());
    response.body().data = const_cast<char*>(body.data());
    response.body().size = body.size();
    response.body().more = false;
    stream.expires_after(FOptions.WriteStall);
    error_code ec;
    co_await http::async_write(stream, response, asio::redirect_error(Await, ec));
    co_return TOutcome{listing->Status, ec ? 0 : body.size(), bool(ec)};
  }

  template <class Request>
  asio::awaitable<TOutcome> SendFile(beast::tcp_stream& stream, const Request& request,
                                     const TTarget& target) {
    const std::string name = target.Param("file");
    const TResolved file = FRoot.Resolve(name, TWant::File);
    if (file.Check == TPathCheck::Refused)
      co_return co_await Simple(stream, 400, "Bad Request",
                                "The file " + name + " is outside the root", false,
                                request.version());
    if (file.Check != TPathCheck::Found)
      co_return co_await Simple(stream, 404, "Not Found", "The file " + name + " does not exist",
                                false, request.version());
    if (!FOptions.AccelRedirect.empty()) {
      // The front server sends the bytes; the path has no links left for it to follow.
      http::response<http::empty_body> response{http::status::ok, request.version()};
      response.set("X-Accel-Redirect", FOptions.AccelRedirect + UrlPath(file.Relative));
      response.set(http::field::content_type, "application/octet-stream");
      response.keep_alive(request.keep_alive());
      response.content_length(0); // the front server keeps the connection for the next one
      stream.expires_after(FOptions.WriteStall);
      error_code ec;
      co_await http::async_write(stream, response, asio::redirect_error(Await, ec));
      co_return TOutcome{200, 0, bool(ec)};
    }
    co_return co_await Stream(stream, request, file);
  }

  // The file in chunks, as the client takes them: a large file costs no more than a small one.
  template <class Request>
  asio::awaitable<TOutcome> Stream(beast::tcp_stream& stream, const Request& request,
                                   const TResolved& file) {
    const auto size = std::uint64_t(file.Stat.st_size);
    http::response<http::buffer_body> response{http::status::ok, request.version()};
    response.set(http::field::content_type, "application/octet-stream");
    response.keep_alive(request.keep_alive());
    response.content_length(size);
    response.body().data = nullptr;
    response.body().more = true;
    http::response_serializer<http::buffer_body> serializer{response};
    error_code ec;
    stream.expires_after(FOptions.WriteStall);
    co_await http::async_write_header(stream, serializer, asio::redirect_error(Await, ec));
    std::vector<char> chunk(
        std::size_t(std::min<std::uint64_t>(ChunkBytes, std::max<std::uint64_t>(size, 1))));
    std::uint64_t sent = 0;
    while (!ec) {
      const ssize_t n =
          sent < size
              ? pread(file.Fd.Get(), chunk.data(),
                      std::size_t(std::min<std::uint64_t>(chunk.size(), size - sent)), off_t(sent))
              : 0;
      if (n < 0 || (n == 0 && sent < size))
        co_return TOutcome{200, sent, true}; // the file shrank under us: the answer cannot end well
      response.body().data = n > 0 ? chunk.data() : nullptr;
      response.body().size = std::size_t(n);
      response.body().more = sent + std::uint64_t(n) < size;
      stream.expires_after(FOptions.WriteStall);
      co_await http::async_write(stream, serializer, asio::redirect_error(Await, ec));
      if (ec == http::error::need_buffer)
        ec = {};
      sent += std::uint64_t(n);
      if (serializer.is_done())
        break;
    }
    co_return TOutcome{200, sent, bool(ec)};
  }

  asio::awaitable<TOutcome> Simple(beast::tcp_stream& stream, int status, const std::string& error,
                                   const std::string& detail, bool close, unsigned version) {
    http::response<http::string_body> response{http::status(status), version};
    response.set(http::field::content_type, "application/json; charset=utf-8");
    response.body() = ErrorRecord(status, error, detail);
    response.keep_alive(!close);
    response.prepare_payload();
    stream.expires_after(FOptions.WriteStall);
    error_code ec;
    co_await http::async_write(stream, response, asio::redirect_error(Await, ec));
    co_return TOutcome{status, response.body().size(), close || bool(ec)};
  }

  TRootFolder FRoot;
  const TServerOptions FOptions;
  TListingCache FCache;
  std::unique_ptr<asio::io_context> FIo;
  std::optional<tcp::acceptor> FAcceptor;
  std::atomic<bool> FStopping{false};
  std::mutex FCountLock;
  int FConnections = 0;
  std::unordered_map<std::string, int> FPerAddress;
};

TFileServer::TFileServer(const std::string& root, TServerOptions options)
    : FImpl(std::make_unique<TImpl>(root, std::move(options))) {}

TFileServer::~TFileServer() = default;

std::optional<int> TFileServer::Bind(const std::string& host, int port) {
  return FImpl->Bind(host, port);
}

bool TFileServer::Serve(bool stopOnSignals) {
  return FImpl->Serve(stopOnSignals);
}

void TFileServer::Stop() {
  FImpl->Stop();
}

void TFileServer::Warm() {
  FImpl->Warm();
}
