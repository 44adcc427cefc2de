#!/usr/bin/env bash
# Refuses byte-string file calls and per-system #ifdefs outside the platform layer and the HTTP
# transport: elsewhere paths are UTF-8, which Windows' narrow calls would read in the ANSI code
# page. The reference file server (server/) is Linux's alone and not looked at.
set -euo pipefail
cd "$(dirname "$0")/.."
calls='(^|[^.>:\w])(::)?(fopen|freopen|open|openat|creat|unlink|unlinkat|rmdir|mkdir|stat|lstat|fstatat|opendir|fdopendir|rename|renameat|utimensat|chmod|access|truncate|_wfopen|_wopen)\s*\('
streams='std::(i|o)?fstream\b'
ifdefs='^\s*#\s*(ifdef|ifndef|if\s+!?\s*defined|elif\s+!?\s*defined)\b'
files=$(find src tools/update -name '*.cpp' -o -name '*.h' |
        grep -v -E '^src/platform/|^src/fileserver/(posix|win32)/' | sort)
found=0
for pattern in "$calls" "$streams" "$ifdefs"; do
  # Comments are prose, not calls.
  if hits=$(grep -n -P "$pattern" $files | grep -v -P '^[^:]+:\d+:\s*//'); then
    echo "$hits"
    found=1
  fi
done
if [ "$found" = 1 ]; then
  echo "check-system-calls: file calls and #ifdefs belong in src/platform/ (or the HTTP transport)"
  exit 1
fi
echo "check-system-calls: clean"
