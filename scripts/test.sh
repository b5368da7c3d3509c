#!/usr/bin/env bash
# Installs what is missing, builds Duplink and runs every test. The manual
# pages are required here, so a missing help2man stops the run rather than
# skipping their checks. Extra CMake options may be passed through
# DUPLINK_CMAKE_ARGS.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh test
build_dir=${DUPLINK_BUILD_DIR:-build}
# shellcheck disable=SC2086
cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDUPLINK_REQUIRE_MANPAGES=ON \
    ${DUPLINK_CMAKE_ARGS:-}
cmake --build "$build_dir" --parallel "$(nproc)"
QT_QPA_PLATFORM=offscreen ctest --test-dir "$build_dir" --output-on-failure --timeout 300 "$@"
