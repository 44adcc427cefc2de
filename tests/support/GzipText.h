#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <zlib.h>

namespace testing_support {

// The text as one gzip member.
inline std::string GzipText(std::string_view text) {
  z_stream s{};
  deflateInit2(&s, Z_BEST_COMPRESSION, Z_DEFLATED, 15 + 16, 9, Z_DEFAULT_STRATEGY);
  std::string out(deflateBound(&s, uLong(text.size())) + 32, '\0');
  s.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data()));
  s.avail_in = uInt(text.size());
  s.next_out = reinterpret_cast<Bytef*>(out.data());
  s.avail_out = uInt(out.size());
  deflate(&s, Z_FINISH);
  out.resize(s.total_out);
  deflateEnd(&s);
  return out;
}

// A gzip member's text; none when the bytes are not one whole gzip member.
inline std::optional<std::string> GunzipText(std::string_view bytes) {
  z_stream s{};
  inflateInit2(&s, 15 + 16);
  s.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
  s.avail_in = uInt(bytes.size());
  std::string out;
  char buffer[65536];
  int result = Z_OK;
  while (result == Z_OK) {
    s.next_out = reinterpret_cast<Bytef*>(buffer);
    s.avail_out = sizeof buffer;
    result = inflate(&s, Z_NO_FLUSH);
    out.append(buffer, sizeof buffer - s.avail_out);
  }
  inflateEnd(&s);
  return result == Z_STREAM_END ? std::optional<std::string>(out) : std::nullopt;
}

} // namespace testing_support
