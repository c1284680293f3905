#!/usr/bin/env bash
# Builds Vireo and starts it on the user's display, or on a private Xvfb when there is none.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$top/build}
"$top/scripts/deps.sh"
cmake -S "$top" -B "$build" -DVIREO_TESTS=OFF >/dev/null
cmake --build "$build" -j"$(nproc)"
program="$build/browser/vireo"
if [ ! -x "$program" ]; then
    echo "Vireo is built, but its main window is not there yet: nothing to start."
    exit 0
fi
if [ -n "${DISPLAY:-}" ]; then
    exec "$program" "$@"
fi
. "$top/scripts/xvfb.sh"
start_private_xvfb
shot="$top/shots/vireo.png"
mkdir -p "$(dirname "$shot")"
echo "No DISPLAY: Vireo runs on a private Xvfb display $DISPLAY; its screenshot will be $shot."
echo "Stop it with Ctrl+C."
"$program" "$@" &
pid=$!
trap 'kill "$pid" 2>/dev/null; stop_private_xvfb' EXIT
sleep 3
import -window root "$shot" && echo "Screenshot taken: $shot"
wait "$pid"
