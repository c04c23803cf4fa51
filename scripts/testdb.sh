#!/usr/bin/env bash
# A private MariaDB server for one test run: its own data folder, Unix socket
# and a free port on 127.0.0.1.
#   testdb.sh start <dir>   initialise and start; writes <dir>/env
#   testdb.sh stop <dir>    stop the server started in <dir> (by its pid)
# Tests connect as "vtest"/"vtest" (TCP or socket) with every privilege.
set -euo pipefail
cmd=${1:?start|stop}; dir=${2:?folder}
mkdir -p "$dir"; dir=$(cd "$dir" && pwd)

stop_server() {
  [ -f "$dir/mariadb.pid" ] || return 0
  local pid; pid=$(cat "$dir/mariadb.pid" 2>/dev/null || true)
  if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
    kill "$pid"
    for _ in $(seq 1 300); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill -0 "$pid" 2>/dev/null && kill -9 "$pid"
  fi
  rm -f "$dir/mariadb.pid"
  if [ -f "$dir/env" ]; then
    local sockdir; sockdir=$(sed -n 's/^VARLOKKEN_TEST_SOCKET=\(.*\)\/sock$/\1/p' "$dir/env")
    [ -n "$sockdir" ] && rm -rf "$sockdir"
  fi
}

case "$cmd" in
start)
  stop_server
  rm -rf "$dir/data" "$dir/env"
  mkdir -p "$dir/data"
  me=$(id -un)
  # Socket paths are limited to about 100 bytes; build folders can be deeper.
  sockdir=$(mktemp -d "${TMPDIR:-/tmp}/vltdb.XXXXXX")
  port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
  mariadb-install-db --no-defaults --datadir="$dir/data" --user="$me" \
    --auth-root-authentication-method=socket --auth-root-socket-user="$me" \
    --skip-test-db >"$dir/install.log" 2>&1 || { cat "$dir/install.log"; exit 1; }
  setsid mariadbd --no-defaults --datadir="$dir/data" --user="$me" \
    --socket="$sockdir/sock" --pid-file="$dir/mariadb.pid" \
    --port="$port" --bind-address=127.0.0.1 --log-error="$dir/error.log" \
    --skip-log-bin --innodb-buffer-pool-size=512M --innodb-log-file-size=256M \
    --innodb-flush-log-at-trx-commit=0 --sync-binlog=0 --max-connections=500 \
    --character-set-server=utf8mb4 --collation-server=utf8mb4_general_ci \
    </dev/null >/dev/null 2>&1 &
  for _ in $(seq 1 600); do
    [ -S "$sockdir/sock" ] && mariadb-admin --no-defaults --socket="$sockdir/sock" -u "$me" ping >/dev/null 2>&1 && break
    sleep 0.1
  done
  mariadb --no-defaults --socket="$sockdir/sock" -u "$me" <<SQL || { cat "$dir/error.log"; exit 1; }
CREATE USER IF NOT EXISTS 'vtest'@'localhost' IDENTIFIED BY 'vtest';
CREATE USER IF NOT EXISTS 'vtest'@'127.0.0.1' IDENTIFIED BY 'vtest';
GRANT ALL PRIVILEGES ON *.* TO 'vtest'@'localhost' WITH GRANT OPTION;
GRANT ALL PRIVILEGES ON *.* TO 'vtest'@'127.0.0.1' WITH GRANT OPTION;
SQL
  {
    echo "VARLOKKEN_TEST_SOCKET=$sockdir/sock"
    echo "VARLOKKEN_TEST_PORT=$port"
    echo "VARLOKKEN_TEST_USER=vtest"
    echo "VARLOKKEN_TEST_PASSWORD=vtest"
  } >"$dir/env"
  echo "MariaDB started: socket $sockdir/sock, port $port, pid $(cat "$dir/mariadb.pid")"
  ;;
stop)
  stop_server
  echo "MariaDB stopped"
  ;;
*) echo "usage: $0 start|stop <dir>" >&2; exit 2 ;;
esac
