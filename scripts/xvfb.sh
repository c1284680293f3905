# Sourced: starts a private Xvfb on a free display and stops it by its PID on exit.
# Sets DISPLAY and VIREO_XVFB_PID.
start_private_xvfb()
{
    local fifo
    fifo=$(mktemp -u /tmp/vireo-xvfb.XXXXXX)
    mkfifo "$fifo"
    # -noreset: Xvfb otherwise resets whenever its last client leaves, and a test that
    # connects in that moment is turned away.
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset -maxclients 1024 3>"$fifo" >/dev/null 2>&1 &
    VIREO_XVFB_PID=$!
    local number
    read -r -t 20 number <"$fifo" || true
    rm -f "$fifo"
    if [ -z "${number:-}" ]; then
        echo "Xvfb did not start" >&2
        kill "$VIREO_XVFB_PID" 2>/dev/null || true
        return 1
    fi
    export DISPLAY=":$number"
    trap stop_private_xvfb EXIT
    trap 'exit 143' INT TERM HUP     # so that the EXIT trap runs on a signal too
}

stop_private_xvfb()
{
    if [ -n "${VIREO_XVFB_PID:-}" ]; then
        kill "$VIREO_XVFB_PID" 2>/dev/null || true
        wait "$VIREO_XVFB_PID" 2>/dev/null || true
        VIREO_XVFB_PID=""
    fi
}
