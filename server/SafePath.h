#pragma once
#include <optional>
#include <string>
#include <string_view>

// A request's relative name resolved inside the root: `\` or `/` between folders, each part
// matched to what is on disk without regard to letter case (exact spelling first). Nothing for
// names that try to leave the root ("..", absolute names, drive letters, NUL bytes, links that
// lead out) or that do not exist.
enum class TPathCheck { Found, Missing, Refused };

struct TResolvedPath {
  TPathCheck Check = TPathCheck::Missing;
  std::string Path; // native, absolute, when found
};

TResolvedPath ResolveInside(const std::string& root, std::string_view relative);

// Whether a path after following its links is still inside the root.
bool StaysInside(const std::string& root, const std::string& path);
