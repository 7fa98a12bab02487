# What the test wrappers (with-window-manager, with-accessibility-bus) share, read with `source`:
# a private folder, a private X server, waiting for a helper, and everything they started stopped
# and removed when they end, however they end. A helper that does not come up fails the wrapper at
# once, with what it said: a test never runs without what it was wrapped for.
set -euo pipefail

wrapper_folder=$(mktemp -d -t rankwright-wrapper-XXXXXX)
wrapper_started=()

# The last started is stopped first; the folder goes once nothing writes in it any more.
wrapper_stop_all()
{
    local i
    for ((i = ${#wrapper_started[@]} - 1; i >= 0; i--)); do
        kill "${wrapper_started[i]}" 2> /dev/null || true
        wait "${wrapper_started[i]}" 2> /dev/null || true
    done
    rm -rf "$wrapper_folder"
}
trap wrapper_stop_all EXIT
# A signal ends the wrapper through the EXIT trap too. bash runs a trap only between commands, so
# wrappers wait for their program in the background (run_program) to be told at once.
trap 'exit 129' HUP
trap 'exit 130' INT
trap 'exit 143' TERM

# Stops the process with this id when the wrapper ends.
stop_on_exit()
{
    wrapper_started+=("$1")
}

fail()
{
    echo "${0##*/}: $*" >&2
    exit 1
}

# What a helper wrote to its log, for a failure message.
log_of()
{
    local text
    text=$(tail -c 2000 "$wrapper_folder/$1.log" 2> /dev/null || true)
    echo "${text:-(it said nothing)}"
}

# need PROGRAM PACKAGE
need()
{
    command -v "$1" > /dev/null || fail "$1 is not installed (Debian package $2)"
}

# wait_until SECONDS HELPER PID WHAT COMMAND...: runs COMMAND until it succeeds. Fails at once when
# the helper (its log is HELPER.log) has ended, and when SECONDS have passed, saying WHAT did not happen.
wait_until()
{
    local seconds=$1 helper=$2 pid=$3 what=$4
    shift 4
    local deadline=$((SECONDS + seconds))
    until "$@"; do
        kill -0 "$pid" 2> /dev/null || fail "$helper ended, so $what: $(log_of "$helper")"
        ((SECONDS < deadline)) || fail "$what within $seconds s: $(log_of "$helper")"
        sleep 0.1
    done
}

# start_x_server WIDTHxHEIGHT [XVFB-OPTIONS...]: a private X server, as DISPLAY and XAUTHORITY.
# Xvfb picks a free display itself and writes its number once it takes connections, so two servers
# started at the same moment never take the same one (xvfb-run -a can). Only clients holding its
# random cookie get in, and only through its local socket.
start_x_server()
{
    need Xvfb xvfb
    need xauth xauth
    local size=$1
    shift
    local cookie
    cookie=$(od -An -N16 -tx1 /dev/urandom | tr -d ' \n')
    # The server takes every cookie in its file, whatever display an entry names; clients look
    # theirs up by display, so their file gets it once the number is known.
    touch "$wrapper_folder/server-auth" "$wrapper_folder/Xauthority"
    xauth -q -f "$wrapper_folder/server-auth" add :0 . "$cookie"
    mkfifo "$wrapper_folder/display"
    Xvfb -displayfd 3 -auth "$wrapper_folder/server-auth" -nolisten tcp -screen 0 "${size}x24" "$@" \
        3> "$wrapper_folder/display" 2> "$wrapper_folder/xvfb.log" &
    stop_on_exit $!
    # Reading ends as soon as Xvfb writes, or ends without writing.
    local display=
    read -r -t 20 display < "$wrapper_folder/display" || true
    [[ $display =~ ^[0-9]+$ ]] || fail "the X server (Xvfb) did not start: $(log_of xvfb)"
    export DISPLAY=:$display
    export XAUTHORITY=$wrapper_folder/Xauthority
    xauth -q add "$DISPLAY" . "$cookie"
}

# run_program PROGRAM [ARGUMENTS...]: runs the wrapped program and ends the wrapper with its status;
# when it failed, with what the helpers said while it ran.
run_program()
{
    "$@" &
    local program=$!
    stop_on_exit "$program"
    local status=0
    wait "$program" || status=$?
    if ((status != 0)); then
        local log
        for log in "$wrapper_folder"/*.log; do
            [[ -s $log ]] && echo "${0##*/}: $(basename "$log" .log) said: $(tail -c 2000 "$log")" >&2
        done
    fi
    exit "$status"
}
