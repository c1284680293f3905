#!/usr/bin/env bash
# xvfb_script_test.sh - a script that started its display through scripts/xvfb.sh (as
# scripts/test.sh does) leaves neither the display nor its clients behind, however it ends:
# done, failed under set -e, Ctrl+C, SIGTERM to its process group, or SIGKILL to it alone.
# Usage: xvfb_script_test.sh <source folder>
set -uo pipefail
set -m      # each started script leads a process group of its own, as in a terminal
top=$1
. "$top/tests/scripts/processes.sh"
work=$(mktemp -d)
failures=0
script=""
xvfb=""
client=""

cleanup()
{
    [ -n "$script" ] && kill -KILL -- "-$script" 2>/dev/null
    end_if_alive "$xvfb" Xvfb
    end_if_alive "$client" sleep
    rm -rf "$work"
}
trap cleanup EXIT

# The script under test: a display, one client on it, then the way out it is told.
cat >"$work/user.sh" <<'EOS'
set -euo pipefail
. "$1/scripts/xvfb.sh"
start_private_xvfb
sleep 600 &
VIREO_XVFB_CLIENTS+=($!)
echo "$VIREO_XVFB_PID $!" >"$2.tmp"
mv "$2.tmp" "$2"
case $3 in
    done)  exit 0 ;;
    fails) false ;;
    *)     sleep 600 ;;     # in the foreground, as test.sh runs ctest
esac
EOS

fail()
{
    echo "FAIL ($case): $*"
    failures=$((failures + 1))
}

started()      { [ -s "$work/pids" ] || ! kill -0 "$script" 2>/dev/null; }
script_ended() { ! kill -0 "$script" 2>/dev/null; }
xvfb_gone()    { ! alive "$xvfb" Xvfb; }
# Bash holds a trapped signal until its foreground command ends: one that came just before
# the foreground sleep started would wait for that sleep.
in_foreground() { [ "$(pgrep -c -x -P "$script" sleep)" -ge 2 ] || script_ended; }

for case in done fails interrupted terminated killed; do
    rm -f "$work/pids"
    env -u DISPLAY bash "$work/user.sh" "$top" "$work/pids" "$case" &
    script=$!
    within 200 started
    read -r xvfb client <"$work/pids" || fail "the display did not start"
    case $case in interrupted|terminated|killed) within 200 in_foreground ;; esac
    case $case in
        interrupted) kill -INT -- "-$script" ;;
        terminated)  kill -TERM -- "-$script" ;;
        killed)      kill -KILL "$script" ;;
    esac
    if ! within 100 script_ended; then
        fail "the script did not end"
        kill -KILL "$script"
    fi
    wait "$script"
    status=$?
    [ "$case" = done ] && [ "$status" -ne 0 ] && fail "a script that is done ended with $status"
    [ "$case" != done ] && [ "$status" -eq 0 ] && fail "a script that did not finish ended with 0"
    within 30 xvfb_gone || fail "its Xvfb (pid $xvfb) is still running"
    # A client the script cannot end when killed outright; any other way out ends it.
    [ "$case" != killed ] && alive "$client" sleep && fail "its client (pid $client) is still running"
    end_if_alive "$xvfb" Xvfb
    end_if_alive "$client" sleep
    kill -KILL -- "-$script" 2>/dev/null    # what a script killed outright had in hand
    script=""
done
[ "$failures" -eq 0 ] && echo "xvfb.sh left nothing behind in 5 ways out"
exit $((failures > 0))
