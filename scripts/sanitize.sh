#!/usr/bin/env bash
# Runs the whole suite built with AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
# strict_memcmp=0: libX11 compares a new resource name with stored ones through memcmp of
# the new name's length, which runs past a shorter stored name although a byte has
# already differed. That is the library's habit, not a fault of ours.
# fast_unwind_on_malloc=0: the X libraries are built without frame pointers, and the
# leak suppressions name functions deep inside them, so leak reports need whole stacks.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0:strict_memcmp=0:fast_unwind_on_malloc=0}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$top/scripts/lsan.supp:print_suppressions=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
BUILD_DIR=${BUILD_DIR:-$top/build-asan} CMAKE_ARGS="-DVIREO_SANITIZE=ON ${CMAKE_ARGS:-}" \
    exec "$top/scripts/test.sh" "$@"
