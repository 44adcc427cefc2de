#include "Compression.h"

#include <stdexcept>
#include <zlib.h>

std::string Gzip(std::string_view text) {
  z_stream stream{};
  constexpr int GzipWindow = 15 + 16; // the largest window, with a gzip header and trailer
  if (deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, GzipWindow, 9,
                   Z_DEFAULT_STRATEGY) != Z_OK)
    throw std::bad_alloc();
  std::string out(deflateBound(&stream, uLong(text.size())) + 32, '\0');
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data()));
  stream.avail_in = uInt(text.size());
  stream.next_out = reinterpret_cast<Bytef*>(out.data());
  stream.avail_out = uInt(out.size());
  const int result = deflate(&stream, Z_FINISH);
  out.resize(stream.total_out);
  deflateEnd(&stream);
  if (result != Z_STREAM_END)
    throw std::runtime_error("gzip: the listing did not fit its bound");
  return out;
}

namespace {
std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
    s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
    s.remove_suffix(1);
  return s;
}

bool SameLetters(std::string_view a, std::string_view b) {
  if (a.size() != b.size())
    return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if ((a[i] | 0x20) != (b[i] | 0x20))
      return false;
  return true;
}

// "q=0", "q=0.0", "q=0.000": the coding is refused.
bool Refused(std::string_view parameters) {
  for (std::size_t at = 0; at <= parameters.size();) {
    std::size_t end = parameters.find(';', at);
    if (end == std::string_view::npos)
      end = parameters.size();
    const std::string_view parameter = Trim(parameters.substr(at, end - at));
    if (parameter.size() >= 2 && (parameter[0] | 0x20) == 'q' && parameter[1] == '=')
      return parameter.substr(2).find_first_not_of("0.") == std::string_view::npos;
    at = end + 1;
  }
  return false;
}
} // namespace

bool AcceptsGzip(std::string_view acceptEncoding) {
  bool any = false, gzip = false, gzipRefused = false;
  for (std::size_t at = 0; at <= acceptEncoding.size();) {
    std::size_t end = acceptEncoding.find(',', at);
    if (end == std::string_view::npos)
      end = acceptEncoding.size();
    const std::string_view item = acceptEncoding.substr(at, end - at);
    const std::size_t semicolon = item.find(';');
    const std::string_view coding = Trim(item.substr(0, semicolon));
    const bool refused = semicolon != std::string_view::npos && Refused(item.substr(semicolon + 1));
    if (SameLetters(coding, "gzip") || SameLetters(coding, "x-gzip"))
      (refused ? gzipRefused : gzip) = true;
    else if (coding == "*" && !refused)
      any = true;
    at = end + 1;
  }
  return gzip || (any && !gzipRefused);
}
