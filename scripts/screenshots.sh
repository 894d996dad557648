#!/usr/bin/env bash
# Makes the pictures of the README and the user guide again, from a demo
# plant of their own: builds the program (as ./test.sh does), (re)creates the
# database tabel_pictures (scale 1, shift records ending 30.11.2026) and
# saves the login, journal, editor, time sheet, reports window and report
# page of that plant in docs/images/. Without a display the windows are drawn
# on Qt's offscreen platform, with one on the display it is used.
#
#   scripts/screenshots.sh [OUT_DIR]      (default docs/images)
set -euo pipefail
source "$(dirname "$0")/common.sh"

OUT=${1:-$ROOT/docs/images}
DATABASE=tabel_pictures
DATE=30.11.2026

install_missing
prepare_postgres
build
say "creating the database $DATABASE"
"$ROOT/db/create-database.sh" "$DATABASE" 1 2026-11-30 >/dev/null \
  || fail "creating the database $DATABASE failed: see the message above"
[ -n "${DISPLAY:-}" ] || export QT_QPA_PLATFORM=offscreen
# The pictures are drawn the same whatever the machine's language and clock.
export LC_ALL=C.UTF-8 TZ=Europe/Moscow
say "taking the pictures into $OUT"
"$BUILD_DIR/tools/screenshots/tabel-screenshots" "$OUT" "$PGHOST" "$DATABASE" "$DATE" "$PGPASSWORD" \
  || fail "the pictures were not all taken: see the lines above"
