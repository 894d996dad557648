#!/usr/bin/env bash
# Installs what is missing, starts PostgreSQL, builds and runs every test suite.
set -euo pipefail
source "$(dirname "$0")/scripts/common.sh"

TEMPLATE=${TABEL_TEST_TEMPLATE:-tabel_template}
CMAKE_EXTRA=(-DTABEL_TEST_TEMPLATE="$TEMPLATE")

install_missing
prepare_postgres
build
say "building the test template database $TEMPLATE"
build_test_template "$TEMPLATE"
say "running the tests"
cd "$BUILD_DIR"
ctest --output-on-failure -j 2 "$@"
