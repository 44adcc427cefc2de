#!/usr/bin/env bash
# norvane-update from norvane-fileserver against curl, side by side in one hyperfine run, on a
# central tree of 10,000 small files plus the needed files of 1 MiB; then the peak memory of a
# 256 MiB download.
#   bench/server_bench.sh [BUILD_DIR] [--link RATE]      (needs hyperfine, jq, curl, python3)
# --link 50mbit: the same in a private network namespace whose loopback is limited to RATE with
# tc's token bucket (a satellite clinic's link; needs root and iproute2). Its MTU is set to
# 1500 first, since the bucket cannot pass a packet larger than its burst.
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")
link=
[ "${2:-}" = --link ] && link=${3:?--link wants a rate such as 50mbit}
if [ -n "$link" ] && [ "${NORVANE_BENCH_NETNS:-}" != 1 ]; then
  exec unshare -n env NORVANE_BENCH_NETNS=1 "$0" "$build" --link "$link"
fi
if [ -n "$link" ]; then
  ip link set lo up
  ip link set lo mtu 1500
  tc qdisc add dev lo root tbf rate "$link" burst 16kb latency 100ms
fi
update="$build/tools/norvane-update"
work=$(mktemp -d)
server_pid=
trap '[ -n "$server_pid" ] && kill $server_pid; rm -rf "$work"' EXIT
source bench/layout.sh
source tests/support/ports.sh
central=$work/central local=$work/local copy=$work/copy
mkdir -p "$central" "$local/Relatorio" "$copy"
echo "Laying out the central folder in $work ..."
make_central "$central"

cc -O2 -shared -fPIC -o "$work/no_flush.so" bench/no_flush.c
start_fileserver "$build/server/norvane-fileserver" "$work/server.log" "$central"
base=$server_url
printf '[Servidor]\nurl=%s\n' "$base" > "$local/Norvane.ini"
listing="$base/folderlist?folder=%5C&mask=*.*&recursive="

needed=$(needed_names)
{
  for name in $needed; do
    echo "url = \"$base/download?file=${name//\//%5C}\""
    echo "output = \"$copy/${name//\//_}\""
  done
} > "$work/curl.cfg"

# norvane-update needs no shell; the curl peers do, for their pipe or their pair.
# A full run moves 50 MiB: over a slow link a few runs say enough.
runs=15 noop_runs=30
[ -n "$link" ] && runs=3 noop_runs=10
clear_local="cd '$local' && rm -f $(echo $needed) && rm -f Relatorio/*; rm -f '$copy'/*; sync"
run_update="'$update' --dir '$local' --module Treasury.exe >/dev/null 2>&1"
run_curl_full="curl -s '$listing' >/dev/null; curl -s --parallel --parallel-max 8 -K '$work/curl.cfg'"
run_curl_noop="curl -s '$listing' | jq length >/dev/null"

echo "Full update (every needed file missing locally):"
# norvane-update flushes every file it replaces before the run ends (a power cut must not
# leave a half-written program); curl leaves its files to the page cache. The third command is
# the same curl pair made durable the only way the shell can; the fourth is norvane-update with
# its flushes stubbed out, to show what the transfer alone costs.
hyperfine -N --warmup 1 --runs $runs --prepare "bash -c \"$clear_local\"" \
  --export-json "$work/full.json" -n norvane-update "$update --dir $local --module Treasury.exe" \
  -n "curl listing + curl --parallel" "bash -c \"$run_curl_full\"" \
  -n "curl listing + curl --parallel + sync" "bash -c \"$run_curl_full; sync\"" \
  -n "norvane-update, flushes stubbed out" \
  "env LD_PRELOAD=$work/no_flush.so $update --dir $local --module Treasury.exe"
eval "$run_update"
sync
sleep 2 # the full runs' writeback over before the short runs are timed
echo "No-op update (all up to date):"
hyperfine -N --warmup 5 --runs $noop_runs --export-json "$work/noop.json" \
  -n norvane-update "$update --dir $local --module Treasury.exe" \
  -n "curl | jq length" "bash -c \"$run_curl_noop\""

peak=
if [ -z "$link" ]; then
  echo "Peak memory of a 256 MiB download:"
  big=$work/big big_local=$work/big_local
  mkdir -p "$big" "$big_local"
  head -c $((256 << 20)) /dev/urandom > "$big/Treasury.exe"
  kill $server_pid
  start_fileserver "$build/server/norvane-fileserver" "$work/big.log" "$big"
  printf '[Servidor]\nurl=%s\n' "$server_url" > "$big_local/Norvane.ini"
  peak=$(python3 -c '
import resource, subprocess, sys
subprocess.run(sys.argv[1:], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)
print(resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss // 1024)' \
    "$update" --dir "$big_local" --module Treasury.exe --no-shared)
fi

echo
echo "over ${link:-loopback}:"
echo "full  norvane-update / curl listing + curl --parallel 8        = $(ratio "$work/full.json" 0 1)"
echo "full  norvane-update / curl listing + curl --parallel 8 + sync = $(ratio "$work/full.json" 0 2)"
echo "full  norvane-update without flushes / curl listing + curl --parallel 8 = $(ratio "$work/full.json" 3 1)  (goal <= 1.0)"
if [ -z "$link" ]; then
  echo "no-op norvane-update / curl | jq length                        = $(ratio "$work/noop.json")  (goal <= 0.7)"
  echo "peak memory of a 256 MiB download                              = $peak MiB  (goal < 64)"
else
  echo "no-op norvane-update / curl | jq length                        = $(ratio "$work/noop.json")  (goal <= 0.3)"
fi
