#!/usr/bin/env bash
# norvane-update from norvane-fileserver against curl, side by side in one hyperfine run, on a
# central tree of 10,000 small files plus the needed files of 1 MiB; then the peak memory of a
# 256 MiB download.
#   bench/server_bench.sh [BUILD_DIR]      (needs hyperfine, jq, curl, python3)
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")
update="$build/tools/norvane-update"
server="$build/server/norvane-fileserver"
work=$(mktemp -d)
server_pid=
trap '[ -n "$server_pid" ] && kill $server_pid; rm -rf "$work"' EXIT
source bench/layout.sh
central=$work/central local=$work/local copy=$work/copy
mkdir -p "$central" "$local/Relatorio" "$copy"
echo "Laying out the central folder in $work ..."
make_central "$central"

port=$((20000 + RANDOM % 20000))
"$server" --root "$central" --listen 127.0.0.1:$port >/dev/null & server_pid=$!
sleep 0.5
base=http://127.0.0.1:$port
printf '[Servidor]\nurl=%s\n' "$base" > "$local/Norvane.ini"
listing="$base/folderlist?folder=%5C&mask=*.*&recursive="

needed=$(needed_names)
{
  for name in $needed; do
    echo "url = \"$base/download?file=${name//\//%5C}\""
    echo "output = \"$copy/${name//\//_}\""
  done
} > "$work/curl.cfg"

clear_local="cd '$local' && rm -f $(echo $needed) && rm -f Relatorio/*; rm -f '$copy'/*"
run_update="'$update' --dir '$local' --module Treasury.exe >/dev/null 2>&1"
run_curl_full="curl -s '$listing' >/dev/null; curl -s --parallel --parallel-max 8 -K '$work/curl.cfg'"
run_curl_noop="curl -s '$listing' | jq length >/dev/null"

echo "Full update (every needed file missing locally):"
hyperfine -N --warmup 2 --runs 15 --prepare "bash -c \"$clear_local\"" \
  --export-json "$work/full.json" -n norvane-update "bash -c \"$run_update\"" \
  -n "curl listing + curl --parallel" "bash -c \"$run_curl_full\""
eval "$run_update"
echo "No-op update (all up to date):"
hyperfine -N --warmup 3 --runs 30 --export-json "$work/noop.json" \
  -n norvane-update "bash -c \"$run_update\"" -n "curl | jq length" "bash -c \"$run_curl_noop\""

echo "Peak memory of a 256 MiB download:"
big=$work/big big_local=$work/big_local
mkdir -p "$big" "$big_local"
head -c $((256 << 20)) /dev/urandom > "$big/Treasury.exe"
kill $server_pid
"$server" --root "$big" --listen 127.0.0.1:$port >/dev/null & server_pid=$!
sleep 0.5
printf '[Servidor]\nurl=%s\n' "$base" > "$big_local/Norvane.ini"
peak=$(python3 -c '
import resource, subprocess, sys
subprocess.run(sys.argv[1:], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)
print(resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss // 1024)' \
  "$update" --dir "$big_local" --module Treasury.exe --no-shared)

echo
echo "full  norvane-update / curl listing + curl --parallel 8 = $(ratio "$work/full.json")  (goal <= 1.2)"
echo "no-op norvane-update / curl | jq length                 = $(ratio "$work/noop.json")  (goal <= 1.0)"
echo "peak memory of a 256 MiB download                       = $peak MiB  (goal < 64)"
