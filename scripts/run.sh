#!/usr/bin/env bash
# Lays out the demo installation from the build in $1 and starts the launcher there.
# Without a display it runs under Xvfb, saves a screenshot and stops again, saying where the
# screenshot is.
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")
bash scripts/make-demo.sh "$build" ${NORVANE_DEMO_MODE:-}
server_pid= runtime=
cleanup() {
  [ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null
  [ -n "$runtime" ] && rm -rf "$runtime"
  return 0
}
trap cleanup EXIT
launcher="$PWD/demo/install/norvane"
if [ "${NORVANE_DEMO_MODE:-}" = "--server" ]; then
  "$build/server/norvane-fileserver" --root demo/central \
    --listen 127.0.0.1:"${NORVANE_DEMO_PORT:-8780}" & server_pid=$!
  sleep 0.5
fi

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  cd demo/install && "$launcher"
  exit
fi

shot="$build/norvane-screenshot.png"
echo "No display: running the launcher under Xvfb and saving a screenshot."
# A runtime folder of its own, as a desktop session gives one; removed afterwards.
runtime=$(mktemp -d)
export XDG_RUNTIME_DIR=$runtime
# The launcher itself is stopped (not a shell around it) before the X server goes away.
xvfb-run -a -s "-screen 0 1280x800x24" bash -c '
  cd "$(dirname "$1")"
  "$1" & pid=$!
  sleep 4
  "$2" "$3"
  kill $pid; wait $pid 2>/dev/null || true' _ "$launcher" "$build/tools/norvane-screenshot" "$shot"
echo "Screenshot: $shot"
