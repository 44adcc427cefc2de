#!/usr/bin/env bash
# norvane.exe under Wine, on icewm with its notification area, as a workstation's user finds it:
# installed silently from norvane.msi with the central installation given on the command line,
# the start-up update runs, a click on "Acolhimento" fetches the module and starts it, the close
# button hides the window and the icon's double click brings it back, a second launch brings
# the first forward and ends, the icon's menu "Fecha…" ends the launcher, and uninstalling
# takes the launcher, its settings, its menu entry and its start at log-on away again.
#   launcher_wine_e2e.sh WINDOWS_BUILD_DIR     (on an X display without a window manager, as
#   scripts/windows.sh gives; needs icewm, wmctrl and xdotool)
set -euo pipefail
build=$(realpath "$1")
export WINEDEBUG=-all WINEPREFIX=${WINEPREFIX:-$build/wine}
work=$(mktemp -d)
wm_pid=
msi=$(echo "Z:$build/packaging/windows/norvane.msi" | tr / '\\')
# A run that failed halfway leaves the package installed in the Wine prefix.
uninstall() { timeout 60 wine msiexec /x "$msi" /qn > /dev/null 2>&1 || true; }
cleanup() {
  uninstall
  wineserver -k 2>/dev/null || true
  timeout 20 wineserver -w 2>/dev/null || true # the next test's Wine must not meet a dying server
  [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }
windows() { echo "Z:${1//\//\\}"; }

mkdir -p "$work/central" "$work/install"
cp "$build/tests/process_probe.exe" "$work/central/FrontDesk.exe"
cp "$build/tests/process_probe.exe" "$work/central/TeamViewerQS_pt.exe"
echo settings > "$work/central/central.ini"
uninstall
wine msiexec /i "$msi" /qn "INSTALLDIR=$(windows "$work/install")\\" \
  "LOCALEXE=$(windows "$work/central")\\" > /dev/null 2>&1 || fail "the silent install failed"
[ -x "$work/install/norvane.exe" ] || fail "the package installed no norvane.exe"
iconv -f UTF-16 -t UTF-8 "$work/install/Norvane.ini" | tr -d '\r' |
  grep -qxF "Local Exe=$(windows "$work/central")\\" ||
  fail "Norvane.ini does not name the central installation"
echo "ok: installed silently from norvane.msi"
# The module leaves a marker when it runs.
export NORVANE_PROBE_MARKER
NORVANE_PROBE_MARKER=$(windows "$work/started.txt")

icewm > "$work/icewm.log" 2>&1 & wm_pid=$!
sleep 1
launch() { wine "$work/install/norvane.exe" > /dev/null 2>&1 & }
launchers() { pgrep -f 'install.norvane\.exe' | wc -l; }
launchers_are() { [ "$(launchers)" = "$1" ]; }
# until COMMAND succeeds, at most 20 s
until_true() {
  for _ in $(seq 200); do "$@" && return 0; sleep 0.1; done
  return 1
}
visible() { xdotool search --onlyvisible --name '^Norvane - Marund' > /dev/null 2>&1; }
hidden() { ! visible; }

launch
until_true visible || fail "no launcher window"
window=$(xdotool search --onlyvisible --name '^Norvane - Marund' | head -n 1)
until_true test -f "$work/install/central.ini" || fail "the start-up update fetched nothing"
until_true sh -c "xdotool getwindowname $window | grep -q 'Tempo do update'" ||
  fail "no update time in the caption: $(xdotool getwindowname "$window")"
echo "ok: the start-up update ran: $(xdotool getwindowname "$window")"

# "Acolhimento": its zone's middle, in the client area.
eval "$(xdotool getwindowgeometry --shell "$window")"
xdotool mousemove $((X + 272)) $((Y + 269)) click 1
until_true test -s "$work/started.txt" || fail "the module did not start"
cmp -s "$work/central/FrontDesk.exe" "$work/install/FrontDesk.exe" ||
  fail "the module started without being fetched"
echo "ok: Acolhimento fetched FrontDesk.exe and started it"

# "Prontuário", whose module is nowhere: the suite's dialog says so, and its OK closes it.
# (Its keys and Ctrl+C are tried in the dialog's own tests: under Wine a new borderless popup
# does not reliably get the X keyboard focus.)
dialog() { xdotool search --onlyvisible --name '^Informação$' 2>/dev/null | head -n 1; }
dialog_open() { [ -n "$(dialog)" ]; }
dialog_closed() { [ -z "$(dialog)" ]; }
opacity() { xprop -id "$(dialog)" _NET_WM_WINDOW_OPACITY 2>&1; }
translucent() { opacity | grep -q "= $((245 * 0xffffffff / 255))\$"; }
xdotool mousemove $((X + 818)) $((Y + 272)) click 1
until_true dialog_open || fail "no dialog for a module that is not installed"
# Layered at 245 of 255: Wine hands that to X as the window's opacity, for a compositor.
until_true translucent || fail "the dialog is not translucent: $(opacity)"
eval "$(xdotool getwindowgeometry --shell "$(dialog)")"
xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT - 37)) click 1
until_true dialog_closed || fail "OK did not close the dialog"
echo "ok: a missing module is reported in the suite's translucent dialog, and its OK closes it"
eval "$(xdotool getwindowgeometry --shell "$window")"

# "Acesso Remoto": the tool is copied beside the launcher (by the shell's copy) and started.
rm "$work/started.txt"
xdotool mousemove $((X + 770)) $((Y + 675)) click 1
until_true test -s "$work/started.txt" || fail "the remote-support tool did not start"
cmp -s "$work/central/TeamViewerQS_pt.exe" "$work/install/TeamViewerQS_pt.exe" ||
  fail "the remote-support tool was not copied"
echo "ok: Acesso Remoto copied the tool and started it"

# The notification icon: a small window of Wine's task bar.
icon=
for w in $(xdotool search --classname '^explorer.exe$' 2>/dev/null); do
  eval "$(xdotool getwindowgeometry --shell "$w")"
  [ "$WIDTH" -ge 8 ] && [ "$WIDTH" -le 64 ] && icon=$w && break
done
[ -n "$icon" ] || fail "no notification icon"
eval "$(xdotool getwindowgeometry --shell "$icon")"
icon_x=$((X + WIDTH / 2)) icon_y=$((Y + HEIGHT / 2))

wmctrl -c 'Norvane - Marund'
until_true hidden || fail "the close button did not hide the window"
launchers_are 1 || fail "closing ended the launcher (or there are $(launchers))"
xdotool mousemove "$icon_x" "$icon_y" click --repeat 2 --delay 80 1
until_true visible || fail "the icon's double click did not bring the window back"
echo "ok: closed to the icon and brought back by its double click"

wmctrl -c 'Norvane - Marund'
until_true hidden || fail "the second close did not hide the window"
launch
until_true visible || fail "a second launch did not bring the first forward"
until_true launchers_are 1 || fail "the second launcher did not end"
echo "ok: a second launch brought the first forward and ended"

# The icon's menu, a popup of the launcher's; its last item is "Fecha o Sistema de Gesttão
# Hospitalar".
popup_menu() {
  for w in $(xdotool search --onlyvisible --classname '^norvane\.exe$' 2>/dev/null); do
    eval "$(xdotool getwindowgeometry --shell "$w")"
    [ "$HEIGHT" -lt 100 ] && [ "$WIDTH" -gt 100 ] && return 0
  done
  return 1
}
xdotool mousemove "$icon_x" "$icon_y" click 3
until_true popup_menu || fail "the icon's menu did not open"
xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT - 10)) click 1
until_true launchers_are 0 || fail "\"Fecha…\" did not end the launcher"
echo "ok: the icon's menu ended the launcher"

run_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Run'
wine reg query "$run_key" /v Norvane > /dev/null 2>&1 || fail "no start at log-on"
wine msiexec /x "$msi" /qn > /dev/null 2>&1 || fail "the silent uninstall failed"
[ ! -e "$work/install/norvane.exe" ] && [ ! -e "$work/install/Norvane.ini" ] ||
  fail "uninstalling left the launcher or its settings"
! wine reg query "$run_key" /v Norvane > /dev/null 2>&1 || fail "uninstalling left the log-on start"
echo "ok: uninstalled cleanly"
