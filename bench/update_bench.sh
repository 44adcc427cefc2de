#!/usr/bin/env bash
# norvane-update from a central folder against the floor and the shell's own tools, side by side
# in one hyperfine run per workload:
#   - no-op run (all up to date) on 10,000 small files (1-4 KB, 100 folders) plus the needed
#     files (1 MiB each): against bench/walk_floor.c, which only walks the tree (readdir and
#     fstatat per entry), and against `find`;
#   - the same on 100,000 files (1,000 folders), against the floor;
#   - full run (every needed file missing) against `find` + `cp` + `sync`: every replacement of
#     norvane-update reaches the disk before the run ends, so the careful copy flushes too.
#   bench/update_bench.sh [BUILD_DIR]      (default: build; needs hyperfine, jq, cc, python3)
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")
update="$build/tools/norvane-update"
[ -x "$update" ] || { echo "build first: $update is missing" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
central=$work/central local=$work/local copy=$work/copy big=$work/big big_local=$work/big_local
mkdir -p "$central" "$local" "$copy" "$big" "$big_local"
floor=$work/walk_floor
cc -O2 -o "$floor" bench/walk_floor.c

echo "Laying out the central folders in $work ..."
source bench/layout.sh
make_central "$central"
make_central "$big" 1000
needed=$(needed_names)
printf '[Servidor]\nLocal Exe=%s\n' "$central" > "$local/Norvane.ini"
printf '[Servidor]\nLocal Exe=%s\n' "$big" > "$big_local/Norvane.ini"
needed_list=$(echo $needed)

# Each run starts with nothing of the last one left to flush.
clear_local="cd '$local' && rm -rf $needed_list Relatorio; cd '$copy' && rm -rf ./*; sync"
run_update="'$update' --dir '$local' --module Treasury.exe >/dev/null"
run_find="find '$central' -type f -printf '%P %T@\n' >/dev/null"
run_find_cp="$run_find; cd '$central' && cp --preserve=timestamps --parents $needed_list '$copy'/ && sync"

echo "Full run (every needed file missing locally):"
hyperfine -N --warmup 2 --runs 15 --prepare "bash -c \"$clear_local\"" \
  --export-json "$work/full.json" -n norvane-update "bash -c \"$run_update\"" \
  -n "find + cp + sync" "bash -c \"$run_find_cp\""
eval "$run_update" # everything up to date for the no-op runs
"$update" --dir "$big_local" --module Treasury.exe >/dev/null
echo "No-op run (all up to date), 10,000 files:"
hyperfine -N --warmup 3 --runs 40 --export-json "$work/noop.json" \
  -n norvane-update "$update --dir $local --module Treasury.exe" \
  -n "walk_floor" "$floor $central" -n find "find $central -type f -printf '%P %T@\n'"
echo "No-op run (all up to date), 100,000 files:"
hyperfine -N --warmup 2 --runs 15 --export-json "$work/big.json" \
  -n norvane-update "$update --dir $big_local --module Treasury.exe" -n "walk_floor" "$floor $big"

echo
echo "no-op norvane-update / walk_floor, 10,000 files  = $(ratio "$work/noop.json" 0 1)  (goal <= 1.3)"
echo "no-op norvane-update / find, 10,000 files        = $(ratio "$work/noop.json" 0 2)"
echo "no-op norvane-update / walk_floor, 100,000 files = $(ratio "$work/big.json" 0 1)  (goal <= 1.3)"
echo "full  norvane-update / find + cp + sync          = $(ratio "$work/full.json" 0 1)  (goal <= 1.0)"
