#!/usr/bin/env bash
# run_script_test.sh - scripts/run.sh started without a display leaves neither its private
# Xvfb nor Vireo behind, however Vireo ends: quit from the keyboard, killed, or Ctrl+C.
# Usage: run_script_test.sh <source folder> <build folder with vireo built>
set -uo pipefail
set -m      # each started script leads a process group of its own, as in a terminal
top=$1
build=$2
work=$(mktemp -d)
failures=0
script=""
xvfb=""
vireo=""

# A process is ours while it lives (a zombie does not) under the name we saw it with.
alive()
{
    local pid=$1 name=$2 state
    [ -n "$pid" ] || return 1
    state=$(sed 's/.*) //' "/proc/$pid/stat" 2>/dev/null | cut -d' ' -f1) || return 1
    [ -n "$state" ] && [ "$state" != Z ] && [ "$(cat "/proc/$pid/comm" 2>/dev/null)" = "$name" ]
}

cleanup()
{
    [ -n "$script" ] && kill -KILL -- "-$script" 2>/dev/null
    alive "$vireo" vireo && kill -KILL "$vireo"
    alive "$xvfb" Xvfb && kill -KILL "$xvfb"
    rm -rf "$work"
}
trap cleanup EXIT

fail()
{
    echo "FAIL ($case): $*"
    grep -v "Built target" "$work/out" | sed 's/^/    run.sh: /'
    failures=$((failures + 1))
}

# Polls a command for up to $1 tenths of a second.
within()
{
    local tenths=$1
    shift
    while ! "$@"; do
        tenths=$((tenths - 1))
        [ "$tenths" -gt 0 ] || return 1
        sleep 0.1
    done
}

screenshot_taken() { grep -q "Screenshot taken" "$work/out" || ! kill -0 "$script" 2>/dev/null; }
script_ended()     { ! kill -0 "$script" 2>/dev/null; }
xvfb_gone()        { ! alive "$xvfb" Xvfb; }

# Starts run.sh on the built tree and waits until Vireo is on its private display.
start_script()
{
    mkdir -p "$work/home"
    : >"$work/out"
    env -u DISPLAY HOME="$work/home" BUILD_DIR="$build" "$top/scripts/run.sh" >"$work/out" 2>&1 &
    script=$!
    within 600 screenshot_taken
    xvfb=$(pgrep -P "$script" -x Xvfb)
    vireo=$(pgrep -P "$script" -x vireo)
    display=$(sed -n 's/.*private Xvfb display \(:[0-9]*\).*/\1/p' "$work/out")
    [ -n "$xvfb" ] && [ -n "$vireo" ] && [ -n "$display" ]
}

# Waits for the script to end; its exit status goes to $status.
finish_script()
{
    if within 200 script_ended; then
        wait "$script"
        status=$?
    else
        fail "run.sh did not end"
        kill -KILL -- "-$script" 2>/dev/null
        wait "$script"
        status=-1
    fi
    if ! within 30 xvfb_gone; then
        fail "its Xvfb (pid $xvfb) is still running"
        kill -KILL "$xvfb"
    fi
    if alive "$vireo" vireo; then
        fail "Vireo (pid $vireo) is still running"
        kill -KILL "$vireo"
    fi
    script=""
}

quit_from_keyboard()
{
    local window
    window=$(DISPLAY=$display xdotool search --sync --name '^Vireo 1\.1$' | head -1)
    # Vireo quits on the key press, and the display may go before xdotool's key release.
    DISPLAY=$display xdotool windowfocus --sync "$window" key ctrl+q 2>/dev/null
}

for case in quit killed interrupted; do
    if ! start_script; then
        fail "Vireo did not come up on a private display"
    else
        case $case in
            quit)        quit_from_keyboard ;;
            killed)      kill -TERM "$vireo" ;;
            interrupted) kill -INT -- "-$script" ;;
        esac
    fi
    finish_script
    if [ "$case" = quit ] && [ "$status" -ne 0 ]; then
        fail "run.sh ended with $status after Vireo quit"
    fi
    if [ "$case" != quit ] && [ "$status" -eq 0 ]; then
        fail "run.sh ended with 0 although Vireo did not quit"
    fi
done
[ "$failures" -eq 0 ] && echo "run.sh left nothing behind in 3 ways out"
exit $((failures > 0))
