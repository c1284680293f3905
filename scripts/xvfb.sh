# Sourced: starts a private Xvfb on a free display and stops it by its PID on exit.
# Sets DISPLAY and VIREO_XVFB_PID. Programs the script starts on the display go into
# VIREO_XVFB_CLIENTS; they are ended before the display. The display goes on every way out
# of the script: the EXIT trap (which a signal reaches through the INT, TERM and HUP traps)
# stops it, and should the script be killed outright, Xvfb gets SIGTERM as its parent dies.
VIREO_XVFB_CLIENTS=()

start_private_xvfb()
{
    local fifo
    fifo=$(mktemp -u /tmp/vireo-xvfb.XXXXXX)
    mkfifo "$fifo"
    VIREO_XVFB_FIFO=$fifo
    trap stop_private_xvfb EXIT
    trap 'exit 130' INT
    trap 'exit 143' TERM
    trap 'exit 129' HUP
    local orphan_guard=()
    command -v setpriv >/dev/null && orphan_guard=(setpriv --pdeathsig TERM)
    # -noreset: Xvfb otherwise resets whenever its last client leaves, and a test that
    # connects in that moment is turned away.
    "${orphan_guard[@]}" Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset \
        -maxclients 1024 3>"$fifo" >/dev/null 2>&1 &
    VIREO_XVFB_PID=$!
    local number
    read -r -t 20 number <"$fifo" || true
    rm -f "$fifo"
    VIREO_XVFB_FIFO=""
    if [ -z "${number:-}" ]; then
        echo "Xvfb did not start" >&2
        stop_private_xvfb
        return 1
    fi
    export DISPLAY=":$number"
}

# A client forked a moment ago can take the signal before it has become the program it
# runs, in the shell's own handler, and lose it there; on a busy machine that moment is
# long. So the signal goes again until the client is gone, and after 5 s it is killed.
end_xvfb_client()
{
    local pid=$1 tries=0
    while kill "$pid" 2>/dev/null; do
        tries=$((tries + 1))
        if [ "$tries" -ge 50 ]; then
            kill -KILL "$pid" 2>/dev/null || true
        fi
        sleep 0.1
    done
    wait "$pid" 2>/dev/null || true
}

# Safe to call more than once and from a trap under set -e: nothing in it can fail.
stop_private_xvfb()
{
    local pid
    for pid in "${VIREO_XVFB_CLIENTS[@]}"; do
        end_xvfb_client "$pid"
    done
    VIREO_XVFB_CLIENTS=()
    if [ -n "${VIREO_XVFB_PID:-}" ]; then
        kill "$VIREO_XVFB_PID" 2>/dev/null || true
        wait "$VIREO_XVFB_PID" 2>/dev/null || true
        VIREO_XVFB_PID=""
    fi
    rm -f "${VIREO_XVFB_FIFO:-}"
}
