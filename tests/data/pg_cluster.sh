#!/bin/sh
# A throwaway PostgreSQL cluster for the data tests, reachable only through a Unix socket
# in a temporary folder.
#   pg_cluster.sh start STATE   initdb + pg_ctl start; STATE receives the folder
#   pg_cluster.sh stop STATE    stops the server and deletes the folder
# initdb refuses to run as root; then the cluster belongs to the postgres account.
set -u
action=$1
state=$2

bindir=$(pg_config --bindir 2>/dev/null || true)
if [ ! -x "$bindir/initdb" ]; then
  bindir=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)
fi
if [ ! -x "$bindir/initdb" ]; then
  echo "initdb not found (pg_config --bindir, /usr/lib/postgresql/*/bin): install postgresql" >&2
  exit 1
fi

run_as_owner() {
  if [ "$(id -u)" = 0 ]; then
    runuser -u postgres -- "$@"
  else
    "$@"
  fi
}

case "$action" in
  start)
    dir=$(mktemp -d "${TMPDIR:-/tmp}/velk-pg.XXXXXX") || exit 1
    [ "$(id -u)" = 0 ] && chown postgres: "$dir"
    if ! run_as_owner "$bindir/initdb" -D "$dir/data" -A trust -U velk -E UTF8 --locale=C --no-sync \
           >"$dir/initdb.log" 2>&1; then
      cat "$dir/initdb.log" >&2
      rm -rf "$dir"
      exit 1
    fi
    if ! run_as_owner "$bindir/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w -t 60 \
           -o "-k $dir -c listen_addresses='' -F" start >"$dir/pg_ctl.log" 2>&1; then
      cat "$dir/pg_ctl.log" "$dir/server.log" >&2
      rm -rf "$dir"
      exit 1
    fi
    echo "$dir" >"$state"
    echo "PostgreSQL cluster on socket folder $dir"
    ;;
  stop)
    [ -f "$state" ] || exit 0
    dir=$(cat "$state")
    rm -f "$state"
    [ -d "$dir/data" ] && run_as_owner "$bindir/pg_ctl" -D "$dir/data" -m fast -w stop >/dev/null 2>&1
    rm -rf "$dir"
    ;;
  *)
    echo "usage: $0 start|stop STATE" >&2
    exit 2
    ;;
esac
