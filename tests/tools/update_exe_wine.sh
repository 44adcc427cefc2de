#!/usr/bin/env bash
# norvane-update.exe under Wine, as on a workstation: a central installation whose names are not
# ASCII, first from a shared folder, then from the Linux reference file server; the copies carry
# the central ages to the millisecond, a second run fetches nothing, a module named on the
# command line with accented letters is found, and a server nobody answers on fails with status 2.
#   update_exe_wine.sh WINDOWS_BUILD_DIR FILESERVER
set -euo pipefail
build=$(realpath "$1")
fileserver=$2
update=$build/tools/norvane-update.exe
export WINEDEBUG=-all WINEPREFIX=${WINEPREFIX:-$build/wine}
source "$(dirname "$0")/../support/ports.sh"
work=$(mktemp -d)
server_pid=
cleanup() {
  [ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }
[ -x "$fileserver" ] || fail "no reference file server at $fileserver (build Linux first)"

central="$work/Instalação Central"
mkdir -p "$central/Relatorio"
echo program > "$central/Ação.exe"
echo settings > "$central/central.ini"
echo report > "$central/Relatorio/FichaAtendimento.rav"
touch -d '2025-03-05 10:11:12.345678' "$central/Ação.exe"
touch -d '2024-12-31 23:59:58.999' "$central/central.ini"
touch -d '2023-07-01 00:00:00.001' "$central/Relatorio/FichaAtendimento.rav"

windows() { echo "Z:${1//\//\\}"; } # the Unix path as Wine's drive Z: shows it
ms() { date -r "$1" +%s%3N; }

# update INSTALL_DIR [ARGS...]: runs the program, its report without carriage returns in $work/out
update() {
  local dir=$1
  shift
  status=0
  wine "$update" --dir "$(windows "$dir")" "$@" > "$work/out" 2> "$work/err" || status=$?
  sed -i 's/\r$//' "$work/out" "$work/err"
}

check_install() { # check_install INSTALL_DIR HOW
  update "$1" --module 'Ação.exe'
  [ "$status" = 0 ] || fail "$2: status $status: $(cat "$work/out" "$work/err")"
  grep -qx 'fetched  Ação.exe' "$work/out" || fail "$2: no accented module: $(cat "$work/out")"
  grep -qx '3 fetched, 0 failed' "$work/out" || fail "$2: report: $(cat "$work/out")"
  for name in Ação.exe central.ini Relatorio/FichaAtendimento.rav; do
    cmp -s "$central/$name" "$1/$name" || fail "$2: $name differs"
    [ "$(ms "$central/$name")" = "$(ms "$1/$name")" ] ||
      fail "$2: $name is $(ms "$1/$name") ms, the central copy $(ms "$central/$name") ms"
  done
  update "$1" --module 'Ação.exe'
  grep -qx '0 fetched, 0 failed' "$work/out" || fail "$2: second run: $(cat "$work/out")"
  echo "ok: $2: three files to the millisecond, nothing on the second run"
}

# From the shared folder, named in Norvane.ini in UTF-8 as an administrator's editor saves it.
mkdir -p "$work/from folder"
printf '[Servidor]\r\nLocal Exe=%s\\\r\n' "$(windows "$central")" > "$work/from folder/Norvane.ini"
check_install "$work/from folder" "folder"

# From the reference file server.
start_fileserver "$fileserver" "$work/server.out" "$central" || fail "no file server"
mkdir -p "$work/from server"
printf '[Servidor]\r\nurl=%s\r\n' "$server_url" > "$work/from server/Norvane.ini"
check_install "$work/from server" "server"

# Nobody answers: the listing fails, nothing is written, status 2 with the transport's reason.
mkdir -p "$work/closed"
printf '[Servidor]\r\nurl=http://127.0.0.1:%s\r\n' "$(free_port)" > "$work/closed/Norvane.ini"
update "$work/closed" --module 'Ação.exe'
[ "$status" = 2 ] || fail "closed port: status $status"
grep -q '^norvane-update: REST request failed: .' "$work/err" || fail "closed port: $(cat "$work/err")"
[ ! -e "$work/closed/Ação.exe" ] || fail "closed port: a file was written"
echo "ok: a closed port fails with status 2: $(cat "$work/err")"
