#!/usr/bin/env bash
# Builds the database NAME from scratch: drops it if it exists (ending its
# connections), creates it, runs the numbered scripts of this folder in
# order, applies the database settings and, when SCALE > 0, fills it with a
# demo plant of that scale whose shift records end on END_DATE (default:
# today) and cover MONTHS calendar months, the last one up to END_DATE
# (default 3). Prints one summary line.
#
#   db/create-database.sh NAME [SCALE [END_DATE [MONTHS]]]
#
# The full-size plant of the benchmarks (2 100 workers, two years, about
# 1.3 million shift records): db/create-database.sh tabel_full 7 2026-11-30 24
#
# Connection: PGHOST (localhost), PGPORT (5432), PGUSER (sys), PGPASSWORD
# (kolxapm); the account must be allowed to create databases.
set -euo pipefail

usage() {
    echo "usage: $0 NAME [SCALE [END_DATE [MONTHS]]]   (SCALE a whole number, END_DATE YYYY-MM-DD, MONTHS 1 or more)" >&2
    exit 2
}

[[ $# -ge 1 && $# -le 4 ]] || usage
name=$1
scale=${2:-0}
end_date=${3:-$(date +%F)}
months=${4:-3}
[[ $name =~ ^[a-z_][a-z0-9_]{0,62}$ ]] || { echo "bad database name: $name" >&2; usage; }
[[ $scale =~ ^[0-9]+$ ]] || { echo "bad scale: $scale" >&2; usage; }
[[ $months =~ ^[1-9][0-9]{0,2}$ ]] || { echo "bad number of months: $months" >&2; usage; }
[[ $end_date =~ ^[0-9]{4}-[0-9]{2}-[0-9]{2}$ ]] && date -d "$end_date" >/dev/null 2>&1 \
    || { echo "bad end date: $end_date" >&2; usage; }

export PGHOST=${PGHOST:-localhost}
export PGPORT=${PGPORT:-5432}
export PGUSER=${PGUSER:-sys}
export PGPASSWORD=${PGPASSWORD:-kolxapm}
export PGOPTIONS='-c client_min_messages=warning'

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
started=$SECONDS

run_psql() {
    psql -X -q -A -t -v ON_ERROR_STOP=1 "$@"
}

run_psql -d postgres -v db="$name" <<'SQL'
drop database if exists :"db" with (force);
create database :"db" template template0 encoding 'UTF8';
SQL

scripts=()
for f in "$here"/[0-9][0-9]_*.sql; do
    scripts+=(-f "$f")
done
run_psql -d "$name" --single-transaction "${scripts[@]}" \
    -c 'select accounts_dep.apply_database_settings()' >/dev/null

summary="empty"
if (( scale > 0 )); then
    summary=$(run_psql -d "$name" -v scale="$scale" -v end_date="$end_date" -v months="$months" <<'SQL'
select demo.generate(:scale, :'end_date', :months);
analyze;
SQL
)
fi

echo "$name: scale $scale, $summary ($((SECONDS - started)) s)"
