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
