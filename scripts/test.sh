#!/usr/bin/env bash
# Builds and runs every test: a plain build, the same suite under AddressSanitizer and
# UndefinedBehaviorSanitizer and under ThreadSanitizer, bounded fuzzing, and the Windows build
# under Wine. Fails on the first failing step.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)

# Each step says when it starts, counted from the first, so CI's time is seen step by step.
start=$SECONDS
step() { printf '\n=== %s (at %d s) ===\n' "$*" "$((SECONDS - start))"; }

step "system calls only in the platform layer"
bash scripts/check-system-calls.sh

step "plain build"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

step "AddressSanitizer + UndefinedBehaviorSanitizer"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DNORVANE_SANITIZE=address,undefined >/dev/null
cmake --build build-asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j "$jobs"

step "ThreadSanitizer (engine without the GUI)"
cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DNORVANE_SANITIZE=thread -DNORVANE_GUI=OFF >/dev/null
cmake --build build-tsan -j "$jobs"
TSAN_OPTIONS=halt_on_error=1 ctest --test-dir build-tsan --output-on-failure -j "$jobs"

step "Fuzzing the listing, error-record and date readers (bounded)"
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DNORVANE_FUZZ=ON -DNORVANE_GUI=OFF -DNORVANE_TESTS=OFF \
  -DNORVANE_SANITIZE=address,undefined >/dev/null
cmake --build build-fuzz -j "$jobs" --target listing_fuzz
corpus=$(mktemp -d)
cp fuzz/corpus/* "$corpus"/
build-fuzz/fuzz/listing_fuzz -max_total_time="${FUZZ_SECONDS:-60}" -max_len=4096 -timeout=10 \
  -rss_limit_mb=2048 -print_final_stats=1 "$corpus" 2>&1 | tail -n 12
rm -rf "$corpus"

step "Windows: mingw-w64 cross build, tests under Wine"
bash scripts/windows.sh
echo "=== every step passed in $((SECONDS - start)) s ==="
