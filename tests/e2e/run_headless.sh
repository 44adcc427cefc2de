#!/usr/bin/env bash
# `make run` on a machine without a display: the launcher runs under Xvfb, a screenshot is
# saved, and everything ends cleanly (no X11 error once the server is gone).
#   run_headless.sh BUILD_DIR
set -euo pipefail
build=$(realpath "$1")
cd "$(dirname "$0")/../.."
rm -f "$build/norvane-screenshot.png"
output=$(env -u DISPLAY -u WAYLAND_DISPLAY bash scripts/run.sh "$build" 2>&1)
echo "$output"
[ -s "$build/norvane-screenshot.png" ] || { echo "FAIL: no screenshot"; exit 1; }
if echo "$output" | grep -q "X11 connection broke\|XDG_RUNTIME_DIR not set"; then
  echo "FAIL: the run did not end cleanly"
  exit 1
fi
echo "ok: a clean headless run with a screenshot"
