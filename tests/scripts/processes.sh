# Sourced by the script tests: process checks that a zombie or a reused number cannot fool.

# True while the process lives (a zombie does not) under the name it was seen with.
alive()
{
    local pid=$1 name=$2 state
    [ -n "$pid" ] || return 1
    state=$(sed 's/.*) //' "/proc/$pid/stat" 2>/dev/null | cut -d' ' -f1)
    [ -n "$state" ] && [ "$state" != Z ] && [ "$(cat "/proc/$pid/comm" 2>/dev/null)" = "$name" ]
}

# Ends the process if it still lives under that name; for a test's own leftovers.
end_if_alive()
{
    alive "$1" "$2" && kill -KILL "$1" 2>/dev/null
    return 0
}

# Polls a command every tenth of a second, at most $1 times.
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
