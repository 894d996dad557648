#!/usr/bin/env bash
# The database set-up that ./run.sh and ./test.sh run (scripts/common.sh),
# tried on a throwaway PostgreSQL cluster of its own: a free port, a cluster
# that is stopped and has never seen the account. The cluster is dropped at
# the end, also when a check fails; the machine's other clusters and their
# accounts are not touched.
set -uo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../.." && pwd)

skip() { echo "SKIPPED: $*"; exit 77; }
[ "$(id -u)" -eq 0 ] || sudo -n true 2>/dev/null || skip "creating a PostgreSQL cluster needs root or sudo"
command -v pg_createcluster >/dev/null 2>&1 || skip "postgresql-common is not installed"
version=$(ls /usr/lib/postgresql 2>/dev/null | sort -V | tail -n 1)
[ -n "$version" ] || skip "no PostgreSQL server is installed"

# The account the README commands use, on a port nothing else uses. The
# shell's PG* variables point at the account to be made, exactly as when
# the README commands run.
for v in $(compgen -e); do [[ $v == PG* ]] && unset "$v"; done
# Ports the kernel hands out as the local ends of connections (the tests
# running alongside connect a lot) are left alone: a server cannot listen
# on a port a client connection holds.
used_ports=" $(pg_lsclusters -h 2>/dev/null | awk '{printf "%s ", $3}')"
read -r ephemeral_low ephemeral_high </proc/sys/net/ipv4/ip_local_port_range 2>/dev/null \
    || { ephemeral_low=32768 ephemeral_high=60999; }
free_port() {
    local p
    for p in $(seq "$1" $(($1 + 200))); do
        [[ $used_ports == *" $p "* ]] && continue
        ((p >= ephemeral_low && p <= ephemeral_high)) && continue
        (exec 3<>"/dev/tcp/127.0.0.1/$p") 2>/dev/null && continue
        echo "$p"
        return 0
    done
    return 1
}
port=$(free_port 25432) || skip "no free port"
other_port=$(free_port $((port + 1))) || skip "no second free port"
export PGHOST=localhost PGPORT=$port PGUSER=sys PGPASSWORD=kolxapm
source "$root/scripts/common.sh"

cluster=tabel_setup_$$
# A run that was killed (a time-out) could not drop its cluster: drop it now.
for stale in $(pg_lsclusters -h | awk -v v="$version" '$1 == v && $2 ~ /^tabel_setup_[0-9]+$/ {print $2}'); do
    kill -0 "${stale#tabel_setup_}" 2>/dev/null || as_root pg_dropcluster --stop "$version" "$stale" >/dev/null 2>&1
done
others_before=$(pg_lsclusters -h | awk '{print $1, $2, $3, $4}')
cleanup() {
    as_root pg_dropcluster --stop "$version" "$cluster" >/dev/null 2>&1
}
trap cleanup EXIT
trap 'exit 1' INT TERM

failures=0
check() {  # check WHAT COMMAND...
    local what=$1
    shift
    if "$@"; then
        echo "ok: $what"
    else
        echo "FAILED: $what" >&2
        failures=$((failures + 1))
    fi
}

# Runs the set-up in a subshell (a failing step exits); keeps its output.
out=
setup() {
    out=$( (prepare_postgres) 2>&1 )
    local rc=$?
    [ -z "$out" ] || printf '%s\n' "$out" | sed 's/^/    | /'
    return $rc
}
said() { [[ $out == *"$1"* ]]; }
said_not() { [[ $out != *"$1"* ]]; }
one_failure_line() {
    [[ $(grep -c '^==> FAILED: ' <<<"$out") == 1 ]] && [[ $out == *"$1"* ]]
}
logs_in() { PGPASSWORD=${1:-$PGPASSWORD} psql -X -d postgres -Atqc 'select rolsuper from pg_roles where rolname = current_user' 2>/dev/null | grep -qx t; }
refused() { ! logs_in "$1"; }
owner_sql() { as_cluster_owner postgres psql --cluster "$version/$cluster" -X -q -d postgres -c "$1" >/dev/null; }

as_root pg_createcluster -p "$port" --start-conf=manual "$version" "$cluster" >/dev/null \
    || { echo "FAILED: pg_createcluster $version $cluster" >&2; exit 1; }
echo "-- cluster $version/$cluster on port $port, stopped, without the account $PGUSER"

echo "-- first set-up"
check "the set-up succeeds" setup
check "it started the stopped cluster" said "starting the PostgreSQL cluster $version/$cluster"
check "it created the account" said "creating the database account $PGUSER on $version/$cluster"
check "the account logs in with its password and is a superuser" logs_in
check "a wrong password is refused" refused wrong-password

echo "-- second set-up: nothing to do"
check "the set-up succeeds again" setup
check "it starts nothing and creates nothing" said_not "==>"

echo "-- the account lost its password"
owner_sql "alter role sys password 'elsewhere'"
check "the set-up succeeds" setup
check "it gave the account its password back" logs_in

echo "-- the test template database builds"
check "build_test_template" eval "(build_test_template tabel_template)"
check "it holds the demo plant" test "$(psql -X -d tabel_template -Atqc 'select count(*) > 1000 from accounts_dep.smena')" = t

echo "-- failures say what failed, in one line"
PGHOST=127.0.0.2 setup
check "a server that does not answer: exit 1" test $? = 1
check "  ... and the one line names host and port" one_failure_line "PostgreSQL is not reachable on 127.0.0.2:$port"
PGPORT=$other_port setup
check "no cluster on the port: exit 1" test $? = 1
check "  ... and the one line says so" one_failure_line "no PostgreSQL cluster of this machine uses port $other_port"
PGUSER=pg_reserved setup
check "an account the server refuses: exit 1" test $? = 1
check "  ... and the one line says so" one_failure_line "refused to create the account pg_reserved"

echo "-- the machine's other clusters"
check "are as they were" test "$(pg_lsclusters -h | awk -v c="$cluster" '$2 != c {print $1, $2, $3, $4}')" = "$others_before"

if [ "$failures" -gt 0 ]; then
    echo "setup_postgres: $failures check(s) failed" >&2
    exit 1
fi
echo "setup_postgres: all checks passed"
