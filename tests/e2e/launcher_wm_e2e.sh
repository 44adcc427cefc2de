#!/usr/bin/env bash
# The real launcher under a window manager with a notification area (icewm on Xvfb), as users
# find it: 20 times in a row, the close button hides the window and it comes back on the first
# try, and stays - through the notification icon (a double click, or its menu's "Abre…") and
# through a second launch. Then, with a message open, the icon's menu still opens and its
# "Fecha…" ends the launcher.
#   launcher_wm_e2e.sh BUILD_DIR      (run under xvfb-run; needs icewm, wmctrl and xdotool)
set -euo pipefail
build=$(realpath "$1")
work=$(mktemp -d)
launcher_pid= wm_pid=
cleanup() {
  [ -n "$launcher_pid" ] && kill "$launcher_pid" 2>/dev/null || true
  [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }

export XDG_RUNTIME_DIR=$work/run
mkdir -m 700 "$XDG_RUNTIME_DIR" "$work/central" "$work/install"
cp "$build/src/app/norvane" "$work/install/norvane"
printf '[Servidor]\nLocal Exe=%s\n' "$work/central" > "$work/install/Norvane.ini"

icewm > "$work/icewm.log" 2>&1 & wm_pid=$!
sleep 1
"$work/install/norvane" > "$work/launcher.log" 2>&1 & launcher_pid=$!

visible() { xdotool search --onlyvisible --name '^Norvane - Marund' 2>/dev/null | grep -qx "$window"; }
# Until the window is visible (or not), at most 5 s.
wait_visible() {
  for _ in $(seq 100); do
    if [ "$1" = yes ]; then visible && return 0; else visible || return 0; fi
    sleep 0.05
  done
  return 1
}

window=
for _ in $(seq 200); do
  window=$(xdotool search --onlyvisible --name '^Norvane - Marund' 2>/dev/null | head -n 1) &&
    [ -n "$window" ] && break
  sleep 0.05
done
[ -n "$window" ] || fail "no launcher window"
# The notification icon: the launcher's small window in the notification area.
width() { xdotool getwindowgeometry "$1" | sed -n 's/.*Geometry: \([0-9]*\)x.*/\1/p'; }
icon=
for _ in $(seq 100); do
  for w in $(xdotool search --classname '^norvane$' 2>/dev/null); do
    size=$(width "$w")
    [ "$w" != "$window" ] && [ "$size" -ge 8 ] && [ "$size" -le 64 ] && icon=$w && break 2
  done
  sleep 0.05
done
[ -n "$icon" ] || fail "no notification icon"

# The icon's menu: Down picks its first item ("Abre…"), Up its last ("Fecha…").
icon_menu() {
  xdotool mousemove --window "$icon" 12 12 click 3
  sleep 0.5
  xdotool key "$1" Return
}
restore() {
  wmctrl -i -c "$window" # the close button, through the window manager
  wait_visible no || fail "round $round: the close button did not hide the window"
  case $1 in
  launch) timeout 20 "$work/install/norvane" || fail "round $round: the second launch failed" ;;
  double-click) xdotool mousemove --window "$icon" 12 12 click 1 sleep 0.1 click 1 ;;
  menu) icon_menu Down ;;
  esac
  wait_visible yes || fail "round $round: the $1 did not restore the window"
  sleep 0.4 # a late hide would come now
  visible || fail "round $round: restored by the $1, then gone again"
}
for round in $(seq 20); do
  restore launch
  if [ $((round % 2)) = 1 ]; then restore double-click; else restore menu; fi
done
kill -0 "$launcher_pid" || fail "the launcher is gone"
echo "ok: 20 times closed and restored from the icon and by a second launch, first try each time"

# A module that is not installed says so in a message; the icon's menu opens all the same.
xdotool mousemove --window "$window" 265 269 click 1
for _ in $(seq 100); do
  xdotool search --onlyvisible --name '^Informação$' >/dev/null 2>&1 && break
  sleep 0.05
done
xdotool search --onlyvisible --name '^Informação$' >/dev/null 2>&1 || fail "no message"
icon_menu Up
for _ in $(seq 100); do
  kill -0 "$launcher_pid" 2>/dev/null || break
  sleep 0.05
done
kill -0 "$launcher_pid" 2>/dev/null && fail "with a message open, the icon's Fecha did not end the launcher"
launcher_pid=
echo "ok: with a message open, the icon's menu ended the launcher"
