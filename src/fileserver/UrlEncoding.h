#pragma once
#include <string>
#include <string_view>

// HTML form encoding of a query value: letters, digits and "-._*" stay, a space becomes "+",
// every other byte of the UTF-8 text becomes "%XX".
std::string FormEncode(std::string_view value);

// The download request's encoding of a name: bytes below 33, non-ASCII bytes and
// # % & ' * + < = > [ \ ] ^ { | } ` " become "%XX"; everything else stays.
std::string DownloadEncode(std::string_view name);

// Base URL of the listing: blanks trimmed, "http://" when it names no scheme, no trailing "/".
// Raises "Protocol field is empty" for an empty or blank base.
std::string ListingBaseURL(std::string_view base);

// base + "/folderlist" + "?folder=..&mask=..&recursive=" (each parameter only when it applies).
std::string ListingURL(std::string_view base, std::string_view folder, std::string_view mask,
                       bool recursive);

// base + "/download?file=" + the encoded name, joined as text.
std::string DownloadURL(std::string_view base, std::string_view remoteName);
