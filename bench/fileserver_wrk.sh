#!/usr/bin/env bash
# norvane-fileserver under load, side by side with nginx in one run (wrk, 64 connections, the
# 10,000-file central tree plus the needed files of 1 MiB):
#   - listing throughput: the server alone (its cache on), behind the shipped nginx site, and
#     nginx serving the same listing bytes as a static file;
#   - 1 MiB downloads: through the nginx front (X-Accel-Redirect) and nginx static;
#   - the answer time of a listing while 200 slow clients hold connections to the server.
#   bench/fileserver_wrk.sh [BUILD_DIR] [SECONDS]      (needs wrk, nginx, curl)
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")
seconds=${2:-5}
server="$build/server/norvane-fileserver"
nginx=$(command -v nginx || echo /usr/sbin/nginx)
work=$(mktemp -d)
pids=()
trap 'kill "${pids[@]}" 2>/dev/null; wait 2>/dev/null; rm -rf "$work"' EXIT
source tests/support/ports.sh

source bench/layout.sh
central=$work/central
mkdir -p "$central" "$work/cache" "$work/temp"
echo "Laying out the central folder in $work ..."
make_central "$central"
chmod -R a+rX "$work"

alone=$(free_port) backend=$(free_port) front=$(free_port) static=$(free_port)
"$server" --root "$central" --listen 127.0.0.1:$alone --max-per-address 0 >/dev/null & pids+=($!)
"$server" --root "$central" --listen 127.0.0.1:$backend --max-per-address 0 \
  --accel-redirect /norvane-files/ >/dev/null & pids+=($!)
sed -e "s|@LISTEN@|127.0.0.1:$front|" -e "s|@BACKEND@|127.0.0.1:$backend|" \
    -e "s|@ROOT@|$central|" -e "s|@CACHE@|$work/cache|" deploy/nginx/norvane-fileserver.conf \
    > "$work/site.conf"
wait_port $alone
listing="/folderlist?folder=%5C&mask=*.*&recursive="
curl -s "http://127.0.0.1:$alone$listing" > "$work/listing.json"
cat > "$work/nginx.conf" <<EOF
daemon off; worker_processes 2; pid $work/nginx.pid; error_log $work/error.log;
$( [ "$(id -u)" = 0 ] && echo "user root;" )
events { worker_connections 4096; }
http {
  access_log off; sendfile on; tcp_nopush on;
  client_body_temp_path $work/temp; proxy_temp_path $work/temp; fastcgi_temp_path $work/temp;
  uwsgi_temp_path $work/temp; scgi_temp_path $work/temp;
  include $work/site.conf;
  server {
    listen 127.0.0.1:$static;
    location = /folderlist { alias $work/listing.json; default_type application/json; }
    location /files/ { alias $central/; }
  }
}
EOF
"$nginx" -c "$work/nginx.conf" -e "$work/error.log" & pids+=($!)
wait_port $front
wait_port $static

# rate URL: requests per second with 64 connections.
rate() {
  wrk -t2 -c64 -d"${seconds}s" "$1" | awk '/Requests\/sec/ { print $2 }'
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }

echo "Listing, $(stat -c %s "$work/listing.json") bytes, 64 connections:"
l_alone=$(rate "http://127.0.0.1:$alone$listing")
l_front=$(rate "http://127.0.0.1:$front$listing")
l_static=$(rate "http://127.0.0.1:$static$listing")
echo "  norvane-fileserver alone  $l_alone/s"
echo "  behind nginx              $l_front/s"
echo "  nginx static file         $l_static/s"
echo "1 MiB downloads, 64 connections:"
d_front=$(rate "http://127.0.0.1:$front/download?file=Treasury.exe")
d_static=$(rate "http://127.0.0.1:$static/files/Treasury.exe")
echo "  through the nginx front   $d_front/s"
echo "  nginx static file         $d_static/s"

# 200 slow clients: each has sent half a request and holds its connection.
slow=()
for _ in $(seq 200); do
  exec {fd}<>"/dev/tcp/127.0.0.1/$alone"
  printf 'GET /folderlist HTTP/1.1\r\nX-Slow: 1\r\n' >&$fd
  slow+=($fd)
done
busy=$(curl -s -o /dev/null -w '%{time_total}' "http://127.0.0.1:$alone$listing")
for fd in "${slow[@]}"; do exec {fd}>&-; done

echo
echo "listing  alone / nginx static        = $(ratio "$l_alone" "$l_static")  (goal >= 0.5)"
echo "listing  behind nginx / nginx static = $(ratio "$l_front" "$l_static")  (goal >= 0.8)"
echo "download nginx front / nginx static  = $(ratio "$d_front" "$d_static")  (goal >= 0.9)"
echo "listing answered with 200 slow clients in ${busy}s  (goal < 1)"
