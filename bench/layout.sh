# Sourced by the benchmarks: the central tree they measure against.

# The module and the shared table's distinct names, as the engine asks for them.
needed_names() {
  (echo Treasury.exe; sed -n '/= {/,/};/p' src/updater/SharedFiles.cpp | grep -o '"[^"]*"' |
    tr -d '"') | sed 's/\\\\/\//g' | sort -u
}

# make_central DIR: 10,000 small files (1-4 KB) in 100 folders, plus the needed files of 1 MiB.
make_central() {
  local central=$1 d f name
  for d in $(seq -w 0 99); do
    mkdir -p "$central/pasta$d"
    for f in $(seq -w 0 99); do
      head -c $((1024 + (10#$d * 100 + 10#$f) * 37 % 3072)) /dev/zero > "$central/pasta$d/arquivo$f.dat"
    done
  done
  for name in $(needed_names); do
    mkdir -p "$central/$(dirname "$name")"
    head -c 1048576 /dev/urandom > "$central/$name"
  done
}

# ratio JSON: the first command's mean over the second's, from hyperfine's export.
ratio() { jq -r '.results[0].mean / .results[1].mean * 1000 | round / 1000' "$1"; }
