#!/usr/bin/env bash
# Builds Vireo and starts it on the user's display, or on a private Xvfb when there is none.
# BUILD_DIR (default build) chooses the build; a build folder that exists keeps its settings.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$top/build}
"$top/scripts/deps.sh"
if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$top" -B "$build" -DVIREO_TESTS=OFF >/dev/null
fi
cmake --build "$build" --target vireo -j"$(nproc)"
program="$build/browser/vireo"
if [ -n "${DISPLAY:-}" ]; then
    exec "$program" "$@"
fi
. "$top/scripts/xvfb.sh"
start_private_xvfb
shot="$build/shots/vireo.png"
mkdir -p "$(dirname "$shot")"
echo "No DISPLAY: Vireo runs on a private Xvfb display $DISPLAY; its screenshot will be $shot."
echo "Stop it with Ctrl+C."
"$program" "$@" &
VIREO_XVFB_CLIENTS+=($!)
sleep 3
import -window root "$shot" && echo "Screenshot taken: $shot"
status=0
wait "${VIREO_XVFB_CLIENTS[0]}" || status=$?
VIREO_XVFB_CLIENTS=()      # gone already: its number may belong to another process by now
exit "$status"
