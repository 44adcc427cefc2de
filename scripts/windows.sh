#!/usr/bin/env bash
# The Windows leg: cross-builds with mingw-w64 into build-windows/ and runs its tests under Wine
# (a Wine prefix of its own inside the build folder, prepared once before the tests start in
# parallel).   scripts/windows.sh [--no-tests]
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)
export WINEDEBUG=-all WINEPREFIX="$PWD/build-windows/wine"

cmake -S . -B build-windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
  -DCMAKE_BUILD_TYPE=Release -DNORVANE_FILESERVER="$PWD/build/server/norvane-fileserver" >/dev/null
cmake --build build-windows -j "$jobs"
[ "${1:-}" = --no-tests ] && exit 0
# The Windows client is tried against the Linux reference file server.
if [ ! -x build/server/norvane-fileserver ]; then
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build build -j "$jobs" --target norvane-fileserver
fi
# Every Wine process of the run shares one X display: the prefix's desktop belongs to the
# first program that needs one, so a test that makes windows must find it on a display. A hang
# ends at the time-out instead of holding CI.
xvfb-run -a -s "-screen 0 1280x800x24" bash -c "
  [ -d '$WINEPREFIX' ] || wineboot -i >/dev/null 2>&1
  ctest --test-dir build-windows --output-on-failure -j $jobs --timeout 120"
