#include "FileCopy.h"

#include "ReplacementFile.h"

namespace platform {

unsigned CopyPermissions(std::string_view name, unsigned sourceMode) {
  unsigned bits = sourceMode & 0777;
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
  const bool program = name.size() >= 4 && name[name.size() - 4] == '.' &&
                       lower(name[name.size() - 3]) == 'e' && lower(name[name.size() - 2]) == 'x' &&
                       lower(name[name.size() - 1]) == 'e';
  if (program)
    bits |= 0100 | (bits & 0444) >> 2;
  return bits;
}

void CopyFileWithProgress(std::string_view source, std::string_view target,
                          const TCopyProgress& progress) {
  TReplacementFile out(target);
  const TCopiedFile copied = CopyFileInto(source, out.Handle(), progress);
  out.Commit(LocalAgeFromInstant(copied.Written), CopyPermissions(target, copied.Mode));
}

} // namespace platform
