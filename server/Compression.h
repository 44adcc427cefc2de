#pragma once
#include <string>
#include <string_view>

// The text as a gzip member (RFC 1952), at zlib's default level: a listing shrinks about
// tenfold, which is what a clinic on a slow link waits for.
std::string Gzip(std::string_view text);

// Whether an Accept-Encoding header takes gzip: named (or "*") and not with q=0.
bool AcceptsGzip(std::string_view acceptEncoding);
