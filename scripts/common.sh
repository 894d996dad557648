# Shared steps of ./run.sh and ./test.sh (sourced, not run).
#
# Every step either does its work or stops the script with one line on
# standard error that says what failed and what to do, and exit status 1.

CMAKE_EXTRA=()
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD_DIR=${BUILD_DIR:-$ROOT/build}

# The database account of the scripts, the test suites and the demo: the
# program's built-in account unless set otherwise.
export PGHOST=${PGHOST:-localhost}
export PGPORT=${PGPORT:-5432}
export PGUSER=${PGUSER:-sys}
export PGPASSWORD=${PGPASSWORD:-kolxapm}

PACKAGES=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libqt6sql6-odbc unixodbc unixodbc-dev odbc-postgresql
  libsqliteodbc   # the previous database of the legacy import's tests and benchmark
  libxlsxwriter-dev zlib1g-dev unzip   # xlsxwriter.pc links -lz, the -dev package does not bring it
  postgresql postgresql-client
  libpq-dev   # the benchmarks' plain client
  fonts-liberation fonts-dejavu-core
  xdg-utils
  qt6-translations-l10n   # the toolkit's own texts (message box buttons, print dialog) in Russian
  dpkg-dev desktop-file-utils   # the package test: dpkg-shlibdeps for its dependencies, the desktop entry's check
)

say() { printf '==> %s\n' "$*"; }

fail() {
  printf '==> FAILED: %s\n' "$*" >&2
  exit 1
}

as_root() {
  if [ "$(id -u)" -eq 0 ]; then
    "$@"
  elif command -v sudo >/dev/null 2>&1; then
    sudo "$@"
  else
    fail "this step needs root (${1:-}): run the command as root or install sudo"
  fi
}

install_missing() {
  local missing=()
  for p in "${PACKAGES[@]}" "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    say "installing: ${missing[*]}"
    as_root apt-get update -q </dev/null \
      || fail "apt-get update failed: check the network and the package sources (/etc/apt/sources.list*)"
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}" </dev/null \
      || fail "installing ${missing[*]} failed: see apt-get's message above"
  fi
}

build() {
  say "building in $BUILD_DIR"
  cmake -S "$ROOT" -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=${BUILD_TYPE:-RelWithDebInfo} "${CMAKE_EXTRA[@]}" >/dev/null \
    || fail "configuring the build in $BUILD_DIR failed: see cmake's message above"
  cmake --build "$BUILD_DIR" -j "$(nproc)" || fail "the build failed: see the compiler's or linker's message above"
}

# ---------------------------------------------------------------------------
# PostgreSQL: a server answering on $PGHOST:$PGPORT, and on it the account
# $PGUSER with the password $PGPASSWORD, a superuser (the test suites create
# databases). On this machine a stopped cluster is started, a machine with no
# cluster at all gets one, and the account is created (or given its password
# back) by the cluster's owner over the cluster's own socket. A server on
# another host is only checked.

server_up() {
  pg_isready -q -h "$PGHOST" -p "$PGPORT" >/dev/null 2>&1
}

can_log_in() {
  psql -X -d postgres -Atqc 'select 1' >/dev/null 2>&1
}

server_is_here() {
  case "$PGHOST" in
    "" | localhost | 127.0.0.1 | ::1 | /*) return 0 ;;
    *) return 1 ;;
  esac
}

# "VERSION NAME STATUS OWNER LOGFILE" of this machine's cluster on port $1, if any.
cluster_on_port() {
  command -v pg_lsclusters >/dev/null 2>&1 || return 1
  pg_lsclusters -h 2>/dev/null | awk -v port="$1" '$3 == port { print $1, $2, $4, $5, $7; found = 1; exit }
                                                  END { exit !found }'
}

# Runs a command as the cluster's owner with none of this shell's PG*
# variables: they name the account that is about to be made, not the owner.
as_cluster_owner() {
  local owner=$1 unset=() v
  shift
  for v in $(compgen -e); do
    [[ $v == PG* ]] && unset+=(-u "$v")
  done
  (cd / && as_root runuser -u "$owner" -- env "${unset[@]}" "$@")
}

ensure_server() {
  server_up && return 0
  server_is_here || fail "PostgreSQL is not reachable on $PGHOST:$PGPORT: start the server there or set PGHOST/PGPORT"
  local version name status owner log
  if ! read -r version name status owner log < <(cluster_on_port "$PGPORT"); then
    command -v pg_createcluster >/dev/null 2>&1 && [ -n "$(ls /usr/lib/postgresql 2>/dev/null)" ] \
      || fail "the PostgreSQL server is not installed: install the package postgresql (./test.sh does it)"
    if pg_lsclusters -h 2>/dev/null | grep -q .; then
      fail "no PostgreSQL cluster of this machine uses port $PGPORT (pg_lsclusters lists the others): set PGPORT to one of them or create one with pg_createcluster -p $PGPORT"
    fi
    version=$(ls /usr/lib/postgresql | sort -V | tail -n 1)
    name=main
    say "creating the PostgreSQL cluster $version/$name on port $PGPORT"
    as_root pg_createcluster -p "$PGPORT" "$version" "$name" >/dev/null \
      || fail "pg_createcluster $version $name failed: see its message above"
    read -r version name status owner log < <(cluster_on_port "$PGPORT") \
      || fail "the new cluster $version/$name is not listed by pg_lsclusters"
  fi
  [ "$status" != online ] \
    || fail "the PostgreSQL cluster $version/$name runs but does not answer on $PGHOST:$PGPORT: check listen_addresses in /etc/postgresql/$version/$name/postgresql.conf"
  say "starting the PostgreSQL cluster $version/$name"
  as_root pg_ctlcluster "$version" "$name" start || true
  for _ in $(seq 60); do server_up && return 0; sleep 0.5; done
  fail "the PostgreSQL cluster $version/$name on port $PGPORT did not start: see $log"
}

ensure_account() {
  can_log_in && return 0
  local version name status owner log
  server_is_here && read -r version name status owner log < <(cluster_on_port "$PGPORT") \
    || fail "cannot log in as $PGUSER on $PGHOST:$PGPORT, and that server is not a cluster of this machine: create the account there (superuser, with the password) or set PGUSER/PGPASSWORD"
  say "creating the database account $PGUSER on $version/$name"
  as_cluster_owner "$owner" psql --cluster "$version/$name" -X -q -v ON_ERROR_STOP=1 -d postgres \
    -v name="$PGUSER" -v password="$PGPASSWORD" <<'SQL' \
    || fail "the cluster $version/$name refused to create the account $PGUSER (see the message above): create it as a superuser by hand"
select format('create role %I', :'name') where not exists (select from pg_roles where rolname = :'name')
\gexec
alter role :"name" superuser login password :'password';
SQL
  can_log_in \
    || fail "the account $PGUSER exists but cannot log in on $PGHOST:$PGPORT with its password: check the host lines of /etc/postgresql/$version/$name/pg_hba.conf"
}

# The whole database set-up of ./run.sh and ./test.sh.
prepare_postgres() {
  ensure_server
  ensure_account
}

# The database the test suites clone (test.sh and the set-up test).
build_test_template() {
  "$ROOT/db/create-database.sh" "$1" 1 2026-11-30 \
    || fail "building the database $1 failed: see the message above"
}
