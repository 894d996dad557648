#!/usr/bin/env bash
# Installs what is missing, builds, starts PostgreSQL and runs every test suite.
set -euo pipefail
source "$(dirname "$0")/scripts/common.sh"

TEMPLATE=${TABEL_TEST_TEMPLATE:-tabel_template}
CMAKE_EXTRA=(-DTABEL_TEST_TEMPLATE="$TEMPLATE")

install_missing
build
start_postgres
say "building the test template database $TEMPLATE"
"$ROOT/db/create-database.sh" "$TEMPLATE" 1 2026-11-30
say "running the tests"
cd "$BUILD_DIR"
ctest --output-on-failure -j 2 "$@"
