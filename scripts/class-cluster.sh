# shellcheck shell=bash
# Sourced by scripts/class-server and the class suites' CTest fixture: a
# PostgreSQL cluster of our own for a class database, never the machine's.
# It lives in a fresh folder under /tmp that holds its data, its log and its
# socket; it listens on no TCP port, and every connection to it needs a
# password (scram-sha-256), as a school's server would. Its superuser is
# wordwell_admin with a random password.
#
# class_cluster_start [ENV-FILE]: starts one and exports PGHOST, PGPORT,
#   PGUSER, PGPASSWORD and PGDATABASE for it. The same five go, one NAME=value
#   a line with nothing to quote, into <folder>/cluster.env and ENV-FILE.
# class_cluster_stop [FOLDER-OR-ENV-FILE]: stops it and removes its folder; by
#   default the one this shell started.
#
# PostgreSQL will not run as root: root runs it as the postgres system user.

ww_class_dir=""

ww_class_bin() {
  local bin
  bin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -1)
  if [ -z "$bin" ]; then
    echo "class-cluster: PostgreSQL is not installed (no /usr/lib/postgresql/*/bin); run scripts/ensure-packages" >&2
    return 1
  fi
  echo "$bin"
}

# ww_class_in FOLDER PROGRAM...: runs a server program from the cluster's
# folder (root's working folder is closed to the postgres user).
ww_class_in() {
  local dir="$1"
  shift
  if [ "$(id -u)" -eq 0 ]; then
    (cd "$dir" && runuser -u postgres -- "$@")
  else
    (cd "$dir" && "$@")
  fi
}

ww_class_random() {
  od -An -tx1 -N"$1" /dev/urandom | tr -d ' \n'
}

class_cluster_start() {
  local bin port password env
  bin=$(ww_class_bin) || return 1
  if [ "$(id -u)" -eq 0 ] && ! id -u postgres >/dev/null 2>&1; then
    echo "class-cluster: running as root needs the postgres system user to run the server" >&2
    return 1
  fi
  ww_class_dir=$(mktemp -d /tmp/wordwell-class.XXXXXX)
  # Clients need only to reach the socket; the data folder stays 0700.
  chmod 0711 "$ww_class_dir"
  port=$((49152 + RANDOM % 16000))
  password=$(ww_class_random 24)
  (umask 077 && printf '%s\n' "$password" >"$ww_class_dir/password")
  if [ "$(id -u)" -eq 0 ]; then chown -R postgres: "$ww_class_dir"; fi
  if ! ww_class_in "$ww_class_dir" "$bin/initdb" -D "$ww_class_dir/data" -U wordwell_admin \
         --pwfile="$ww_class_dir/password" --auth=scram-sha-256 \
         --encoding=UTF8 --locale=C.UTF-8 >"$ww_class_dir/initdb.log" 2>&1; then
    echo "class-cluster: initdb failed:" >&2
    cat "$ww_class_dir/initdb.log" >&2
    rm -rf "$ww_class_dir"
    ww_class_dir=""
    return 1
  fi
  rm -f "$ww_class_dir/password"
  # Local socket connections only, each with a password.
  echo "local all all scram-sha-256" >"$ww_class_dir/data/pg_hba.conf"
  cat >>"$ww_class_dir/data/postgresql.conf" <<EOF
listen_addresses = ''
unix_socket_directories = '$ww_class_dir'
port = $port
EOF
  if ! ww_class_in "$ww_class_dir" "$bin/pg_ctl" start -w -t 60 -D "$ww_class_dir/data" \
         -l "$ww_class_dir/server.log" >/dev/null; then
    echo "class-cluster: the server did not start:" >&2
    cat "$ww_class_dir/server.log" >&2 || true
    rm -rf "$ww_class_dir"
    ww_class_dir=""
    return 1
  fi
  export PGHOST="$ww_class_dir" PGPORT="$port" PGUSER=wordwell_admin PGPASSWORD="$password" PGDATABASE=postgres
  env=$(printf 'PGHOST=%s\nPGPORT=%s\nPGUSER=%s\nPGPASSWORD=%s\nPGDATABASE=%s\n' \
          "$PGHOST" "$PGPORT" "$PGUSER" "$PGPASSWORD" "$PGDATABASE")
  (umask 077 && printf '%s\n' "$env" >"$ww_class_dir/cluster.env")
  if [ -n "${1:-}" ]; then (umask 077 && printf '%s\n' "$env" >"$1"); fi
  echo "class-cluster: started a PostgreSQL cluster of our own on the socket in $ww_class_dir"
}

class_cluster_stop() {
  local dir="${1:-$ww_class_dir}" bin
  [ -n "$dir" ] || return 0
  if [ -f "$dir" ]; then
    dir=$(sed -n 's/^PGHOST=//p' "$dir")
  fi
  # A folder named by a stale or foreign env file is removed only if it is one of ours.
  case "$dir" in
    /tmp/wordwell-class.*) ;;
    *) echo "class-cluster: $dir is not a class cluster's folder" >&2; return 1 ;;
  esac
  [ -d "$dir" ] || return 0
  if [ -f "$dir/data/postmaster.pid" ]; then
    bin=$(ww_class_bin) || return 1
    ww_class_in "$dir" "$bin/pg_ctl" stop -w -m fast -D "$dir/data" >/dev/null || true
  fi
  rm -rf "$dir"
  [ "$dir" != "$ww_class_dir" ] || ww_class_dir=""
}
