# Sourced by the benchmarks: the central tree they measure against.

# The module and the shared table's distinct names, as the engine asks for them.
needed_names() {
  (echo Treasury.exe; sed -n '/= {/,/};/p' src/updater/SharedFiles.cpp | grep -o '"[^"]*"' |
    tr -d '"') | sed 's/\\\\/\//g' | sort -u
}

# make_central DIR [FOLDERS]: FOLDERS (100) folders of 100 small files (1-4 KB) each, plus the
# needed files of 1 MiB.
make_central() {
  local central=$1 folders=${2:-100}
  python3 - "$central" "$folders" <<'PY'
import os, sys
central, folders = sys.argv[1], int(sys.argv[2])
for d in range(folders):
    folder = os.path.join(central, "pasta%02d" % d)
    os.makedirs(folder, exist_ok=True)
    for f in range(100):
        with open(os.path.join(folder, "arquivo%02d.dat" % f), "wb") as out:
            out.write(b"\0" * (1024 + (d * 100 + f) * 37 % 3072))
PY
  for name in $(needed_names); do
    mkdir -p "$central/$(dirname "$name")"
    head -c 1048576 /dev/urandom > "$central/$name"
  done
}

# ratio JSON [A B]: command A's mean over command B's (first over second), from hyperfine's export.
ratio() {
  jq -r --argjson a "${2:-0}" --argjson b "${3:-1}" \
    '.results[$a].mean / .results[$b].mean * 1000 | round / 1000' "$1"
}
