#!/usr/bin/env bash
# norvane-update as an administrator runs it, from the reference file server:
#  - the per-download trace stays off the terminal unless asked for (--verbose, NORVANE_DEBUG);
#  - every replacement reaches the disk before its name does: the work file is flushed before
#    it is renamed over the target, and its folder after (seen with strace);
#  - a module name that leads out of the installation is refused with status 64.
#   update_binary.sh BUILD_DIR
set -euo pipefail
build=$(realpath "$1")
update=$build/tools/norvane-update
work=$(mktemp -d)
server_pid=
cleanup() {
  [ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }
source "$(dirname "$(realpath "$0")")/../support/ports.sh"

mkdir -p "$work/central/Relatorio" "$work/install/Relatorio"
echo program > "$work/central/Treasury.exe"
echo settings > "$work/central/central.ini"
echo report > "$work/central/Relatorio/Censo.rav"

start_fileserver "$build/server/norvane-fileserver" "$work/server.out" "$work/central" ||
  fail "no file server"
base=$server_url
printf '[Servidor]\nurl=%s\n' "$base" > "$work/install/Norvane.ini"
export no_proxy=127.0.0.1

fresh() { rm -f "$work/install/Treasury.exe" "$work/install/central.ini" "$work/install/Relatorio/Censo.rav"; }
trace=$(printf '>%.0s' $(seq 92))

# The trace: off by default, on when asked.
fresh
"$update" --dir "$work/install" --module Treasury.exe > "$work/out" 2> "$work/err" ||
  fail "update failed: $(cat "$work/out" "$work/err")"
grep -q '^3 fetched, 0 failed$' "$work/out" || fail "unexpected report: $(cat "$work/out")"
[ ! -s "$work/err" ] || fail "the terminal got: $(cat "$work/err")"
for ask in "--verbose" "NORVANE_DEBUG=1"; do
  fresh
  if [ "$ask" = --verbose ]; then
    "$update" --dir "$work/install" --module Treasury.exe --verbose > /dev/null 2> "$work/err"
  else
    NORVANE_DEBUG=1 "$update" --dir "$work/install" --module Treasury.exe > /dev/null 2> "$work/err"
  fi
  grep -qx "${trace}Treasury.exe" "$work/err" || fail "no trace line with $ask: $(cat "$work/err")"
done
echo "ok: the download trace appears only when asked for"

# Durability: for each work file, fsync on it, then the rename, then fsync on its folder.
if command -v strace > /dev/null; then
  fresh
  # LeakSanitizer cannot work under ptrace: leaks are looked for in the runs above.
  ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0" \
    strace -f -qq -y -e trace=fsync,fdatasync,rename,renameat,renameat2 -o "$work/trace" \
    "$update" --dir "$work/install" --module Treasury.exe > /dev/null
  for name in Treasury.exe central.ini Relatorio/Censo.rav; do
    target=$work/install/$name
    # The rename of the work file; before it, its own flush by the same thread; after it, a
    # flush of its folder (once per run for all the files there, on any thread).
    renamed=$(grep -n -F "\"$target.norvane-part\", " "$work/trace" | grep rename | head -n 1)
    [ -n "$renamed" ] || { cat "$work/trace"; fail "$name: no rename of its work file"; }
    line=${renamed%%:*}
    thread=$(echo "${renamed#*:}" | cut -d' ' -f1)
    head -n "$line" "$work/trace" | grep "^$thread " | grep -q -F "<$target.norvane-part>" ||
      { cat "$work/trace"; fail "$name: renamed before it was flushed"; }
    tail -n +"$line" "$work/trace" | grep -q -F "<$(dirname "$target")>" ||
      { cat "$work/trace"; fail "$name: its folder was not flushed after the rename"; }
  done
  echo "ok: each file is flushed before its rename, and its folder after"
else
  echo "strace is not installed: durability not checked"
fi

# Module names that lead out of the installation.
for module in ../x.exe /tmp/x.exe 'Relatorio\..\..\x.exe' 'C:x.exe' './x.exe'; do
  status=0
  "$update" --dir "$work/install" --module "$module" > /dev/null 2> "$work/err" || status=$?
  [ "$status" = 64 ] || fail "--module $module: status $status"
  grep -q "^norvane-update: --module " "$work/err" || fail "--module $module: $(cat "$work/err")"
done
echo "ok: module names outside the installation are refused"
