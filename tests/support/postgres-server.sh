#!/usr/bin/env bash
# A throwaway PostgreSQL server on 127.0.0.1 for the tests: "start DIR" makes
# a cluster in DIR and writes its port to DIR/port; "stop DIR" stops it and
# removes DIR. Tests run as root, the server as the postgres user.
set -euo pipefail
action=$1
dir=$2
bin=$(ls -d /usr/lib/postgresql/*/bin | sort -V | tail -1)
as_postgres() { if [ "$(id -u)" = 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi; }

case "$action" in
start)
  [ -d "$dir" ] && "$0" stop "$dir"
  mkdir -p "$dir"
  [ "$(id -u)" = 0 ] && chown postgres: "$dir"
  as_postgres "$bin/initdb" -D "$dir/cluster" -U postgres --auth=trust -E UTF8 --locale=C.UTF-8 >"$dir/initdb.log"
  # Nothing here must survive a crash, so nothing waits for the disk.
  for attempt in 1 2 3 4 5 6 7 8; do
    port=$((20000 + RANDOM % 20000))
    if as_postgres "$bin/pg_ctl" -D "$dir/cluster" -l "$dir/server.log" -w -t 30 start \
         -o "-h 127.0.0.1 -p $port -k $dir -c fsync=off -c synchronous_commit=off -c full_page_writes=off" >/dev/null; then
      echo "$port" >"$dir/port"
      exit 0
    fi
  done
  cat "$dir/server.log" >&2
  exit 1
  ;;
stop)
  if [ -f "$dir/cluster/postmaster.pid" ]; then
    as_postgres "$bin/pg_ctl" -D "$dir/cluster" -m fast -w stop >/dev/null || true
  fi
  rm -rf "$dir"
  ;;
esac
