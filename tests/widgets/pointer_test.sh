#!/usr/bin/env bash
# Runs each test of the given programs with the pointer resting over the test windows, on
# a display of its own: no X test may depend on where the pointer is, and moving it on the
# shared display would disturb the tests running beside this one.
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
. "$top/scripts/xvfb.sh"
start_private_xvfb
failed=0
for position in "60 15" "150 100"; do
    xdotool mousemove $position
    for program in "$@"; do
        # --gtest_list_tests prints "Suite." lines, each followed by its "  Test" lines.
        for test in $("$program" --gtest_list_tests | awk '/^[^ ]/ {suite = $1} /^  / {print suite $1}'); do
            if ! "$program" --gtest_filter="$test" >/dev/null 2>&1; then
                echo "with the pointer at $position: $test failed"
                failed=1
            fi
        done
    done
done
exit $failed
