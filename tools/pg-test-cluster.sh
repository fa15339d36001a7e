#!/bin/sh
# Starts or stops the throwaway PostgreSQL cluster of a test run: made anew in folder DIR by an
# unprivileged user (postgres, when run as root) and reached only through its Unix socket in DIR.
# Usage: pg-test-cluster.sh start|stop DIR
set -e
action=$1
dir=$2
bindir=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)
if [ -z "$bindir" ]; then
    echo "PostgreSQL is not installed: sh tools/install-deps.sh postgresql" >&2
    exit 1
fi
as_owner() {
    if [ "$(id -u)" -eq 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi
}
case "$action" in
start)
    rm -rf "$dir"
    mkdir -p "$dir"
    [ "$(id -u)" -ne 0 ] || chown postgres "$dir"
    as_owner "$bindir/initdb" -D "$dir/data" -U postgres -A trust -E UTF8 --no-sync >"$dir/initdb.log"
    # No durability is needed for data that is thrown away: the tests measure the module, not the disk.
    as_owner "$bindir/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w -o \
        "-c listen_addresses='' -k $dir -c fsync=off -c full_page_writes=off -c synchronous_commit=off" \
        start >/dev/null
    ;;
stop)
    if [ -d "$dir/data" ]; then
        as_owner "$bindir/pg_ctl" -D "$dir/data" -m immediate -w stop >/dev/null 2>&1 || true
    fi
    rm -rf "$dir"
    ;;
*)
    echo "Usage: $0 start|stop DIR" >&2
    exit 2
    ;;
esac
