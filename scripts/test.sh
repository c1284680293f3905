#!/usr/bin/env bash
# Builds Vireo and runs every test on a private Xvfb display.
# BUILD_DIR (default build) and CMAKE_ARGS choose the build; extra arguments go to ctest.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$top/build}
"$top/scripts/deps.sh"
cmake -S "$top" -B "$build" -DVIREO_TESTS=ON ${CMAKE_ARGS:-} >/dev/null
cmake --build "$build" -j"$(nproc)"
. "$top/scripts/xvfb.sh"
start_private_xvfb
cd "$build"
ctest --output-on-failure -j"$(nproc)" --timeout 300 "$@"
