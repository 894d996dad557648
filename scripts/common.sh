# Shared steps of ./run.sh and ./test.sh (sourced, not run).

CMAKE_EXTRA=()
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD_DIR=${BUILD_DIR:-$ROOT/build}

export PGHOST=${PGHOST:-localhost}
export PGPORT=${PGPORT:-5432}
export PGUSER=${PGUSER:-sys}
export PGPASSWORD=${PGPASSWORD:-kolxapm}

PACKAGES=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libqt6sql6-odbc unixodbc unixodbc-dev odbc-postgresql
  libxlsxwriter-dev unzip
  postgresql postgresql-client
  fonts-liberation fonts-dejavu-core
  xdg-utils
)

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

say() { printf '==> %s\n' "$*"; }

install_missing() {
  local missing=()
  for p in "${PACKAGES[@]}" "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    say "installing: ${missing[*]}"
    as_root apt-get update -q </dev/null
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}" </dev/null
  fi
}

build() {
  say "building in $BUILD_DIR"
  cmake -S "$ROOT" -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=${BUILD_TYPE:-RelWithDebInfo} "${CMAKE_EXTRA[@]}" >/dev/null
  cmake --build "$BUILD_DIR" -j "$(nproc)"
}

server_up() {
  pg_isready -q -h "$PGHOST" -p "$PGPORT" 2>/dev/null
}

# Makes sure a PostgreSQL server answers on $PGHOST:$PGPORT and that the
# built-in account exists (a superuser, so that it can create databases).
start_postgres() {
  if ! server_up; then
    say "starting PostgreSQL"
    local version
    version=$(ls /usr/lib/postgresql | sort -V | tail -n 1)
    if ! pg_lsclusters -h 2>/dev/null | grep -q .; then
      as_root pg_createcluster "$version" main >/dev/null
    fi
    local cluster
    cluster=$(pg_lsclusters -h | awk '{print $1" "$2; exit}')
    as_root pg_ctlcluster $cluster start || true
    for _ in $(seq 60); do server_up && break; sleep 0.5; done
    server_up || { echo "PostgreSQL did not start" >&2; exit 1; }
  fi
  if ! psql -d postgres -Atqc 'select 1' >/dev/null 2>&1; then
    say "creating the database account $PGUSER"
    as_root su postgres -c "psql -q -d postgres" <<SQL
do \$\$ begin
  if not exists (select 1 from pg_roles where rolname = '$PGUSER') then
    create role "$PGUSER" superuser login password '$PGPASSWORD';
  else
    alter role "$PGUSER" superuser login password '$PGPASSWORD';
  end if;
end \$\$;
SQL
  fi
}
