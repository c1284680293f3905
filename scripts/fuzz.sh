#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded number of runs.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$top/build-fuzz}
runs=${FUZZ_RUNS:-200000}
"$top/scripts/deps.sh"
CC=clang CXX=clang++ cmake -S "$top" -B "$build" -DVIREO_FUZZ=ON -DVIREO_TESTS=OFF >/dev/null
cmake --build "$build" -j"$(nproc)"
status=0
for target in "$build"/fuzz/fuzz_*; do
    [ -x "$target" ] || continue
    name=$(basename "$target")
    corpus=$(mktemp -d)
    seeds="$top/fuzz/corpus/${name#fuzz_}"
    echo "== $name: $runs runs"
    dirs=("$corpus")
    [ -d "$seeds" ] && dirs+=("$seeds")
    if ! "$target" -runs="$runs" -max_len=2048 "${dirs[@]}" >"$build/$name.log" 2>&1; then
        tail -40 "$build/$name.log"
        status=1
    else
        tail -2 "$build/$name.log"
    fi
    rm -rf "$corpus"
done
exit $status
