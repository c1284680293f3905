#!/usr/bin/env bash
# run_script_test.sh - scripts/run.sh started without a display leaves neither its private
# Xvfb nor Vireo behind, however Vireo ends: quit from the keyboard, killed, or Ctrl+C.
# Usage: run_script_test.sh <source folder> <build folder with vireo built>
set -uo pipefail
set -m      # each started script leads a process group of its own, as in a terminal
top=$1
build=$2
. "$top/tests/scripts/processes.sh"
work=$(mktemp -d)
failures=0
script=""
xvfb=""
vireo=""

cleanup()
{
    [ -n "$script" ] && kill -KILL -- "-$script" 2>/dev/null
    end_if_alive "$vireo" vireo
    end_if_alive "$xvfb" Xvfb
    rm -rf "$work"
}
trap cleanup EXIT

fail()
{
    echo "FAIL ($case): $*"
    grep -v "Built target" "$work/out" | sed 's/^/    run.sh: /'
    failures=$((failures + 1))
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
        end_if_alive "$xvfb" Xvfb
    fi
    if alive "$vireo" vireo; then
        fail "Vireo (pid $vireo) is still running"
        end_if_alive "$vireo" vireo
    fi
    script=""
}

quit_from_keyboard()
{
    local window
    window=$(DISPLAY=$display timeout 20 xdotool search --sync --name '^Vireo 1\.1$' | head -1)
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
