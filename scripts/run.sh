#!/usr/bin/env bash
# Starts the launcher built in $1. Without a display it runs under Xvfb, saves a screenshot
# and stops again, saying where the screenshot is.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
launcher="$build/src/app/norvane"

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec "$launcher"
fi

shot="$PWD/$build/norvane-screenshot.png"
echo "No display: running the launcher under Xvfb and saving a screenshot."
xvfb-run -a -s "-screen 0 1280x800x24" bash -c '
  "$1" & pid=$!
  sleep 3
  "$2" "$3"
  kill $pid' _ "$launcher" "$build/tools/norvane-screenshot" "$shot"
echo "Screenshot: $shot"
