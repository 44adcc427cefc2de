#include "HttpGet.h"

std::string WithScheme(std::string_view url) {
  const auto first = url.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos)
    return {};
  url = url.substr(first, url.find_last_not_of(" \t\r\n") - first + 1);
  if (url.find("://") == std::string_view::npos)
    return "http://" + std::string(url);
  return std::string(url);
}
