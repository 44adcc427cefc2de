#!/usr/bin/env bash
# The shipped deployment for real: nginx with deploy/nginx/norvane-fileserver.conf (paths and
# loopback ports filled in) in front of norvane-fileserver; norvane-update brings an
# installation up to date through it, and a second run fetches nothing.
#   nginx_deploy.sh BUILD_DIR
set -euo pipefail
build=$(realpath "$1")
site=$(dirname "$(realpath "$0")")/../../deploy/nginx/norvane-fileserver.conf
nginx=$(command -v nginx || echo /usr/sbin/nginx)
[ -x "$nginx" ] || { echo "nginx is not installed"; exit 1; }
work=$(mktemp -d)
server_pid= nginx_pid=
cleanup() {
  [ -n "$nginx_pid" ] && kill "$nginx_pid" 2>/dev/null || true
  [ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; cat "$work/error.log" "$work/server.log" 2>/dev/null | tail -n 20; exit 1; }
source "$(dirname "$(realpath "$0")")/../support/ports.sh"

central=$work/central install=$work/install
mkdir -p "$central/Relatorio" "$install/Relatorio" "$work/cache" "$work/temp"
echo program > "$central/Treasury.exe"
echo settings > "$central/central.ini"
echo "census report" > "$central/Relatorio/Censo.rav"
chmod -R a+rX "$work"

start_fileserver "$build/server/norvane-fileserver" "$work/server.log" "$central" \
  --accel-redirect /norvane-files/ --max-per-address 0 || fail "no file server"
backend=${server_url#http://}

front=$(free_port)
sed -e "s|@LISTEN@|127.0.0.1:$front|" -e "s|@BACKEND@|$backend|" -e "s|@ROOT@|$central|" \
    -e "s|@CACHE@|$work/cache|" "$site" > "$work/site.conf"
cat > "$work/nginx.conf" <<EOF
daemon off; master_process off; pid $work/nginx.pid;
error_log $work/error.log;
events {}
http {
  access_log off;
  client_body_temp_path $work/temp; proxy_temp_path $work/temp; fastcgi_temp_path $work/temp;
  uwsgi_temp_path $work/temp; scgi_temp_path $work/temp;
  include $work/site.conf;
}
EOF
"$nginx" -t -q -c "$work/nginx.conf" -e "$work/error.log" || fail "nginx refuses the site"
"$nginx" -c "$work/nginx.conf" -e "$work/error.log" & nginx_pid=$!
wait_port "$front"

export no_proxy=127.0.0.1
printf '[Servidor]\nurl=http://127.0.0.1:%s\n' "$front" > "$install/Norvane.ini"
first=$("$build/tools/norvane-update" --dir "$install" --module Treasury.exe) || fail "$first"
[ "$(echo "$first" | tail -n 1)" = "3 fetched, 0 failed" ] || fail "first run: $first"
for name in Treasury.exe central.ini Relatorio/Censo.rav; do
  cmp -s "$central/$name" "$install/$name" || fail "$name differs after the update"
done
second=$("$build/tools/norvane-update" --dir "$install" --module Treasury.exe)
[ "$second" = "0 fetched, 0 failed" ] || fail "second run: $second"
echo "ok: an installation updates through nginx, and a second run fetches nothing"

listing="http://127.0.0.1:$front/folderlist?folder=%5C&mask=*.*&recursive="
curl -s -o /dev/null "$listing"
curl -s -D - -o /dev/null "$listing" | grep -qi '^X-Cache-Status: HIT' || fail "the listing is not cached"
echo "ok: nginx answers a repeated listing from its cache"

body=$(curl -s "http://127.0.0.1:$front/download?file=RELATORIO%5Ccenso.rav")
[ "$body" = "census report" ] || fail "download by another letter case: $body"
grep -q 'GET /download?file=RELATORIO%5Ccenso.rav 200 0 ' "$work/server.log" ||
  fail "the file server sent the bytes itself"
status=$(curl -s -o /dev/null -w '%{http_code}' "http://127.0.0.1:$front/download?file=..%5C..%5Cetc%5Cpasswd")
[ "$status" = 400 ] || fail "a name outside the root: $status"
status=$(curl -s -o /dev/null -w '%{http_code}' "http://127.0.0.1:$front/norvane-files/central.ini")
[ "$status" = 404 ] || fail "the internal location answers from outside: $status"
echo "ok: nginx sends the files that norvane-fileserver resolves, and nothing else"
