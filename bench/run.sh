#!/usr/bin/env bash
# The benchmark table of the program on a full-size plant: builds the
# benchmarks (Release, in build-bench/), builds the plants when they are
# missing, runs every benchmark and prints one table, each figure beside
# its baseline measured in the same run and the ratio.
#
#   bench/run.sh [PLANT]        (default tabel_full)
#
# PLANT, when missing, is built as the full-size plant: 2,100 workers, two
# years of shift records (about 1.2 million) ending on 30.11.2026. The
# worker search runs on tabel_people, a plant of 20,100 employees and one
# month. The benchmarks' own messages go to build-bench/bench.log.
# Connection: PGHOST, PGPORT, PGUSER, PGPASSWORD as for ./test.sh.
set -euo pipefail
source "$(dirname "$0")/../scripts/common.sh"

PLANT=${1:-tabel_full}
PEOPLE=tabel_people
END_DATE=2026-11-30
BENCH_DIR=$ROOT/build-bench
LOG=$BENCH_DIR/bench.log
ROUNDS=${TABEL_BENCH_ROUNDS:-20}

install_missing
prepare_postgres

say "building the benchmarks in $BENCH_DIR"
cmake -S "$ROOT" -B "$BENCH_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTABEL_BENCH=ON >/dev/null \
  || fail "configuring the benchmarks failed: see cmake's message above"
cmake --build "$BENCH_DIR" -j "$(nproc)" --target journal_bench timesheet_bench reports_bench search_bench startup_bench \
  office_load \
  || fail "building the benchmarks failed: see the compiler's message above"

# A plant is there when its shift records are: a build that was cut short
# leaves the database without them, and it is built again.
plant_exists() {
  [ "$(psql -X -d postgres -Atqc "select count(*) from pg_database where datname = '$1'")" = 1 ] &&
    [ "$(psql -X -d "$1" -Atqc "select exists (select from accounts_dep.smena)" 2>/dev/null)" = t ]
}
make_plant() {  # NAME SCALE MONTHS
  if plant_exists "$1"; then
    say "plant $1 is there"
  else
    say "building the plant $1 (scale $2, $3 months to $END_DATE)"
    "$ROOT/db/create-database.sh" "$1" "$2" "$END_DATE" "$3" || fail "building the plant $1 failed: see above"
  fi
}
make_plant "$PLANT" 7 24
make_plant "$PEOPLE" 67 1

: >"$LOG"
run() {
  "$BENCH_DIR/bench/$1" "${@:2}" 2>>"$LOG" || fail "$1 failed: see $LOG"
}
# The lines of the table, without a benchmark's own headings.
table() {
  grep -v "$1" || true
}

records=$(psql -X -d "$PLANT" -Atqc "select count(*) from accounts_dep.smena")
workers=$(psql -X -d "$PLANT" -Atqc "select count(*) from cmn_contractor.person where b_employee")
echo
echo "Benchmarks of $(git -C "$ROOT" rev-parse --short HEAD 2>/dev/null || echo '?') on $(date +%d.%m.%Y)," \
  "$(nproc) CPUs ($(grep -m1 'model name' /proc/cpuinfo | sed 's/.*: //')), $(free -g | awk '/Mem:/ {print $2}') GB," \
  "$(psql -X -d postgres -Atqc 'show server_version' | cut -d' ' -f1) on $PGHOST"
echo "Plant $PLANT: $workers workers, $records shift records. Release build, $ROUNDS rounds where repeated."
echo "database = the same statements replayed on a plain libpq client that reads every value, in the same run"
echo
run journal_bench "$PLANT" "" "$ROUNDS" | table '^[0-9]* rounds on\|^peak'
run search_bench "$PEOPLE" "$ROUNDS"
run timesheet_bench "$PLANT" "" 5 | table '^month \|^$'
run reports_bench "$PLANT" "" 3 | table '^period \|^$\|^peak'
# The program's start runs its version gate on the built-in database
# (tabel), which records the newest build that ran there and refuses older
# ones. That database's stamp is put aside while the benchmark starts the
# program and put back afterwards, so that neither build refuses the other.
BUILTIN=tabel
stamp=
if plant_exists "$BUILTIN"; then
  stamp=$(psql -X -d "$BUILTIN" -Atqc "select d || ', ' || t from accounts_dep.ver")
  psql -X -d "$BUILTIN" -qc "delete from accounts_dep.ver"
fi
restore_stamp() {
  if plant_exists "$BUILTIN"; then
    psql -X -d "$BUILTIN" -qc "delete from accounts_dep.ver"
    [ -z "$stamp" ] || psql -X -d "$BUILTIN" -qc "insert into accounts_dep.ver (d, t) values ($stamp)"
  fi
}
trap restore_stamp EXIT
run startup_bench "$PLANT" "" 9

# The office under load, each time on a fresh copy of the plant (it writes):
# one workstation alone, then 8 and 16 at once, each 500 actions of the
# office's mix on the same six workers and four days. The workstations all
# run on this machine, whose cores a real office's workstations would not
# share: so first with a pause of 0 to 800 ms between two actions (still
# about a hundred times a clerk's pace, and a month rebuild in 1000
# actions), where the cores stay mostly idle and the table shows what the
# workstations' meeting costs; then flat out, with five rebuilds in 1000,
# where it shows the machine's cores shared by all of them.
OFFICE=${PLANT}_office
office() {
  psql -X -d postgres -qc "drop database if exists $OFFICE with (force)" -c "create database $OFFICE template $PLANT" \
    || fail "copying the plant $PLANT for the office load failed: see above"
  psql -X -d "$OFFICE" -qc "select accounts_dep.apply_database_settings()" >/dev/null
  echo
  "$BENCH_DIR/tests/office/office_load" --database "$OFFICE" --workstations 1,8,16 \
    --actions "${TABEL_BENCH_OFFICE_ACTIONS:-500}" "$@" 2>>"$LOG" \
    || fail "the office load failed or found a breach: see above and $LOG"
  psql -X -d postgres -qc "drop database if exists $OFFICE with (force)"
}
office --pause 800 --rebuilds 1
office --pause 0 --rebuilds 5
