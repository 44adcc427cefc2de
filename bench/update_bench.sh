#!/usr/bin/env bash
# norvane-update against the shell's own tools, side by side in one hyperfine run, on a central
# folder of 10,000 small files (1-4 KB, 100 folders) plus the needed files (1 MiB each).
#   bench/update_bench.sh [BUILD_DIR]      (default: build; needs hyperfine and jq)
# Prints the two ratios: no-op run against `find`, full run against `find` + `cp` + `sync`: every
# replacement of norvane-update reaches the disk before the run ends, so the careful copy it is
# measured against flushes too.
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")
update="$build/tools/norvane-update"
[ -x "$update" ] || { echo "build first: $update is missing" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
central=$work/central local=$work/local copy=$work/copy
mkdir -p "$central" "$local" "$copy"

echo "Laying out the central folder in $work ..."
source bench/layout.sh
make_central "$central"
needed=$(needed_names)
printf '[Servidor]\nLocal Exe=%s\n' "$central" > "$local/Norvane.ini"
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
eval "$run_update" # everything up to date for the no-op run
echo "No-op run (all up to date):"
hyperfine -N --warmup 3 --runs 30 \
  --export-json "$work/noop.json" -n norvane-update "bash -c \"$run_update\"" \
  -n find "bash -c \"$run_find\""

echo
echo "no-op norvane-update / find          = $(ratio "$work/noop.json")  (goal <= 1.5)"
echo "full  norvane-update / find + cp + sync = $(ratio "$work/full.json")  (goal <= 1.0)"
