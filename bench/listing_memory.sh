#!/usr/bin/env bash
# Peak memory of norvane-update while it reads a large central listing, against the listing's
# size: a listing of real-looking records just under the 64 MiB limit, and one of empty records
# (the shortest an element can be), which the client refuses after a million of them.
#   bench/listing_memory.sh [BUILD_DIR]      (needs python3)
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")
update="${NORVANE_UPDATE:-$build/tools/norvane-update}"
[ -x "$update" ] || { echo "build first: $update is missing" >&2; exit 1; }

work=$(mktemp -d)
server_pid=
trap '[ -n "$server_pid" ] && kill $server_pid 2>/dev/null; rm -rf "$work"' EXIT
mkdir -p "$work/install"

# listing KIND BYTES: writes the listing into $work/site/folderlist.
listing() {
  mkdir -p "$work/site"
  python3 - "$1" "$2" "$work/site/folderlist" <<'EOF'
import sys
kind, limit, path = sys.argv[1], int(sys.argv[2]), sys.argv[3]
with open(path, "w") as out:
    out.write("[")
    size, i = 1, 0
    while True:
        if kind == "records":
            item = '{"FileName":"pasta%04d\\\\arquivo%05d.dat","Age":"2026-11-01T10:30:15.123Z"}' % (i // 1000, i % 1000)
        else:
            item = "{}"
        if size + len(item) + 2 > limit:
            break
        out.write(("," if i else "") + item)
        size += len(item) + (1 if i else 0)
        i += 1
    out.write("]")
EOF
}

# peak_kib: the largest resident size of one norvane-update run against the served listing.
peak_kib() {
  python3 -c '
import resource, subprocess, sys
subprocess.run(sys.argv[1:], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
print(resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss)' \
    "$update" --dir "$work/install" --module Treasury.exe --no-shared --dry-run
}

port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])')
(cd "$work/site" 2>/dev/null || mkdir -p "$work/site"; cd "$work/site" &&
  exec python3 -m http.server "$port" --bind 127.0.0.1 >/dev/null 2>&1) & server_pid=$!
printf '[Servidor]\nurl=http://127.0.0.1:%s\n' "$port" > "$work/install/Norvane.ini"
export no_proxy=127.0.0.1
sleep 0.5

listing records 200
base=$(peak_kib)
echo "norvane-update with an empty listing: $((base / 1024)) MiB"
for kind in records empty; do
  listing "$kind" $((64 * 1024 * 1024 - 64))
  bytes=$(stat -c %s "$work/site/folderlist")
  peak=$(peak_kib)
  echo "$kind listing of $((bytes >> 20)) MiB: peak $((peak / 1024)) MiB," \
       "$(python3 -c "print(round(($peak - $base) * 1024 / $bytes, 2))") x the listing (goal <= 4)"
done
