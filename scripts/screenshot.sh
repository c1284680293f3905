#!/usr/bin/env bash
# Regenerates the README's screenshot docs/vireo.png: Vireo on a private Xvfb display with
# a list of fake game servers on 127.0.0.1 refreshed, one of them selected so that the
# info panes show its players and rules. Builds what it needs; leaves nothing running.
# BUILD_DIR (default build) chooses the build; an argument names another picture file.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$top/build}
out=$(realpath -m "${1:-$top/docs/vireo.png}")
"$top/scripts/deps.sh"
# The fake servers belong to the test support, so the build has the tests switched on.
cmake -S "$top" -B "$build" -DVIREO_TESTS=ON >/dev/null
cmake --build "$build" --target vireo vireo_fake_servers -j"$(nproc)"

. "$top/scripts/xvfb.sh"
start_private_xvfb
work=$(mktemp -d)
trap 'stop_private_xvfb; rm -rf "$work"' EXIT

# Ten servers that answer and one that does not.
"$build/tests/support/vireo_fake_servers" 10 1 >"$work/servers" &
VIREO_XVFB_CLIENTS+=($!)
for _ in $(seq 50); do
    [ "$(wc -l <"$work/servers")" -ge 11 ] && break
    sleep 0.1
done
mkdir "$work/home"
{
    printf '%s\n' "mainwin 800x640+0+0" "infoPaneHeight 210" "rulePaneWidth 230" \
        "showinfo true" "showrules true" "filter all" "sortServers name" \
        "option queryOnLoad true" "option queryRules true" "option queryPlayers true"
    kind=favorite       # the first one, so that the Favorites tab is not empty
    while read -r server; do
        echo "$kind $server 0"
        kind=server
    done <"$work/servers"
} >"$work/home/.vireorc"

HOME="$work/home" "$build/browser/vireo" &
VIREO_XVFB_CLIENTS+=($!)
window=$(timeout 30 xdotool search --sync --name '^Vireo 1\.1$' | head -1)
# The query of all servers runs at start; the one that refuses is given up after its retries.
sleep 15
# The second tab group is the view tabs, the third the server grid: select its fourth row.
xdotool windowfocus --sync "$window"
xdotool key Tab Tab Home Down Down Down space
sleep 1
mkdir -p "$(dirname "$out")"
import -window "$window" "$out"
echo "Screenshot written: $out"
