# Sourced by the shell tests and benchmarks that start servers on loopback.

# free_port: a loopback port nobody listens on now.
free_port() {
  local port
  while :; do
    port=$((20000 + RANDOM % 40000))
    (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null || { echo "$port"; return; }
  done
}

# wait_port PORT: until something listens there (10 s at most).
wait_port() {
  for _ in $(seq 200); do
    (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null && return
    sleep 0.05
  done
}

# start_fileserver SERVER LOG ROOT [OPTIONS...]: the reference file server on a free loopback
# port, its output in LOG; sets server_pid and server_url (http://127.0.0.1:PORT), or fails.
start_fileserver() {
  local server=$1 log=$2 root=$3
  shift 3
  "$server" --root "$root" --listen 127.0.0.1:0 "$@" > "$log" 2>&1 &
  server_pid=$!
  server_url=
  for _ in $(seq 200); do
    server_url=$(sed -n 's/^Serving .* on \(http:[^ ]*\)$/\1/p' "$log")
    [ -n "$server_url" ] && return 0
    kill -0 "$server_pid" 2>/dev/null || break
    sleep 0.05
  done
  echo "the file server did not start: $(cat "$log")" >&2
  return 1
}
