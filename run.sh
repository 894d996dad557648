#!/usr/bin/env bash
# Installs what is missing, builds, makes sure PostgreSQL runs, creates or
# refreshes the demo database and starts the program on it.
#   ./run.sh [SERVER DATABASE]   (without arguments: the built-in connection)
set -euo pipefail
source "$(dirname "$0")/scripts/common.sh"

install_missing
prepare_postgres
build
if [ "${TABEL_KEEP_DEMO:-0}" != 1 ] || ! psql -X -d tabel -Atqc 'select 1' >/dev/null 2>&1; then
  say "creating the demo database tabel"
  "$ROOT/db/create-database.sh" tabel 1 || fail "creating the demo database tabel failed: see the message above"
fi

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  cat <<TXT
There is no display here, so the program cannot show its windows.
Run it under a virtual display instead, for example:
  apt-get install xvfb && xvfb-run -a -s '-screen 0 1600x1000x24' $BUILD_DIR/src/tabel
or look at it with: ../shared/tools/screenshot out.png 8 $BUILD_DIR/src/tabel
TXT
  exit 0
fi
exec "$BUILD_DIR/src/tabel" "$@"
