#!/usr/bin/env bash
# run.sh TOOL TEMPLATE: takes the README's pictures from a clone of TEMPLATE
# into a folder of its own and checks that each is a PNG of a window's size.
set -euo pipefail
TOOL=$1
TEMPLATE=$2
export PGHOST=${PGHOST:-localhost} PGPORT=${PGPORT:-5432} PGUSER=${PGUSER:-sys} PGPASSWORD=${PGPASSWORD:-kolxapm}
db=t_screenshots_$$
out=$(mktemp -d)
cleanup() {
  psql -X -q -d postgres -c "drop database if exists $db with (force)" >/dev/null 2>&1 || true
  rm -rf "$out"
}
trap cleanup EXIT

psql -X -q -v ON_ERROR_STOP=1 -d postgres -c "create database $db template $TEMPLATE" >/dev/null
psql -X -q -v ON_ERROR_STOP=1 -d "$db" -c "select accounts_dep.apply_database_settings()" >/dev/null
"$TOOL" "$out" "$PGHOST" "$db" 30.11.2026 "$PGPASSWORD"

status=0
for name in login journal editor timesheet reports report; do
  file=$out/$name.png
  # A PNG begins with \x89PNG; its width and height are bytes 17-24, big-endian.
  if [ "$(head -c 4 "$file" 2>/dev/null | tail -c 3)" != PNG ]; then
    echo "FAIL: $name.png is missing or not a PNG"
    status=1
    continue
  fi
  read -r width height < <(od -An -tu1 -j16 -N8 "$file" | awk '{ print $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8 }')
  echo "$name.png ${width}x$height"
  if [ "$width" -lt 200 ] || [ "$height" -lt 100 ]; then
    echo "FAIL: $name.png is too small for a window"
    status=1
  fi
done
exit $status
