#!/usr/bin/env bash
# The real program on its own X server (Xvfb with openbox), driven with real keys (xdotool and
# XTEST) and timed until the screen is painted:
#   - the body pasted into step 3 (Ctrl+V, the text put on the clipboard by xclip);
#   - a key in the body at given times after the paste has shown;
#   - Continue on step 5 (Enter in its last field clicks Continue) until the generator is painted;
#   - with ANALYSE_AT=SECONDS, instead of the keys and Continue: the body's analysis that long
#     after the paste showed.
# Each body comes in two shapes, paragraphs and the same words as one paragraph.
#
#   bench/realprogram/measure.sh BUILD_DIR [CHARACTERS...]      (default: 1 MiB and 8 MiB)
#
# KEY_TIMES (seconds after the paste showed, default "0.1 0.3 0.6 1 2 3 5") and SCREEN_SIZE
# (default 1366x768) change what is done; CONTINUE_LOG=PREFIX writes every damaged rectangle
# after Continue to PREFIX.<size>.<shape> instead of timing it.
# Needs Xvfb, openbox, xdotool, xclip and a C compiler with libX11, libXdamage and libXtst.
# Prints one line per figure: size, shape, action, milliseconds (see painttime.c for what ends
# each wait).
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="$(cd "${1:?build folder}" && pwd)"
shift
sizes=("${@:-1048576 8388608}")
# shellcheck disable=SC2206
sizes=(${sizes[*]})
program="$build/ui/rankwright-assistant"
work="$(mktemp -d)"
cc -O2 -o "$work/painttime" "$here/painttime.c" -lX11 -lXdamage -lXfixes -lXtst
painttime="$work/painttime"

pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT

export HOME="$work/home" XDG_RUNTIME_DIR="$work/run"
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
screen="${SCREEN_SIZE:-1366x768}"
Xvfb -displayfd 3 -screen 0 "${screen}x24" -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
pids+=($!)
for _ in $(seq 100); do [[ -s "$work/display" ]] && break; sleep 0.05; done
export DISPLAY=":$(cat "$work/display")"
openbox >"$work/openbox.log" 2>&1 &
pids+=($!)
sleep 1

visible() { xdotool search --onlyvisible --name "Rankwright" 2>/dev/null | sort | tr '\n' ' '; }
# Until the visible windows are no longer $1: the next window is up.
next_window() {
    for _ in $(seq 400); do
        [[ "$(visible)" != "$1" ]] && return 0
        sleep 0.05
    done
    echo "no next window" >&2
    return 1
}
keys() { xdotool key --delay 30 "$@"; sleep 0.2; }
type_text() { xdotool type --delay 5 "$1"; sleep 0.1; }
# The client area of the active window: x,y,w,h.
active_area() {
    eval "$(xdotool getactivewindow getwindowgeometry --shell)"
    echo "$X,$Y,$WIDTH,$HEIGHT"
}

body_file() {
    python3 - "$1" "$2" <<'PY'
import sys
chars, shape = int(sys.argv[1]), sys.argv[2]
# As the tests' sampleBody(): paragraphs of 40 words, "\r\n" between them.
words = ["gateway", "page", "search", "engine", "ranking", "tips", "Free", "Tools", "download",
         "today", "index", "listing"]
parts, n, i = [], 0, 0
while n < chars:
    if i > 0:
        sep = "\r\n" if i % 40 == 0 else " "
        parts.append(sep)
        n += len(sep)
    w = "free software" if i % 17 == 0 else words[i % 12]
    parts.append(w)
    n += len(w)
    i += 1
text = "".join(parts).replace("\r\n", "\n" if shape == "paragraphs" else " ")
sys.stdout.write(text)
PY
}

run_once() {
    local chars=$1 shape=$2
    body_file "$chars" "$shape" >"$work/body.txt"
    "$program" >"$work/program.log" 2>&1 &
    local program_pid=$!
    pids+=("$program_pid")
    local w
    for _ in $(seq 300); do [[ -n "$(visible)" ]] && break; sleep 0.05; done
    sleep 7 # the splash
    w="$(visible)"
    # The menu: the first line ticked, the arrow pressed; step 0: an engine and the address.
    keys Tab Tab Tab space Return
    next_window "$w"
    w="$(visible)"
    keys Down Down Tab ctrl+a
    type_text "http://www.example.net/"
    keys Return
    next_window "$w"
    w="$(visible)"
    # Step 1: the phrases; step 2: the description, its analysis, Continue.
    type_text "free software"; keys Tab
    type_text "gateway page"; keys Tab
    type_text "search engine"; keys Tab
    type_text "ranking tips"; keys Return
    next_window "$w"
    w="$(visible)"
    keys Tab ctrl+End
    type_text " made by keys"
    keys Tab Tab Tab Return
    sleep 0.5
    keys Tab space
    next_window "$w"
    w="$(visible)"
    # Step 3: the body pasted, timed until the box shows it.
    local area
    area="$(active_area)"
    xclip -quiet -selection clipboard -i "$work/body.txt" 2>/dev/null &
    pids+=($!)
    sleep 0.5
    xdotool keydown ctrl
    local pasted
    pasted="$("$painttime" --key v --region "$area" --min-width 100 --timeout 30000 || true)"
    xdotool keyup ctrl
    echo "$chars $shape paste $pasted"
    if [[ -n "${ANALYSE_AT:-}" ]]; then
        # Instead: the body's analysis ("!", three Tabs on), this long after the paste showed, until
        # the window shows its result.
        keys Tab Tab Tab
        sleep "$ANALYSE_AT"
        echo "$chars $shape analysis_at_${ANALYSE_AT}s $("$painttime" --key Return --region "$area" --min-width 100 --changed 150 --timeout 20000)"
        kill "$program_pid" 2>/dev/null || true
        wait "$program_pid" 2>/dev/null || true
        return
    fi
    # A key at these times after the paste showed: a letter at the start of the line the caret is
    # on (Home first), so that the whole line moves. The box drawn again unchanged while it places
    # its pieces, or the caret's blink, changes far fewer pixels.
    local since=0
    for at in ${KEY_TIMES:-0.1 0.3 0.6 1 2 3 5}; do
        xdotool key Home
        sleep "$(awk -v a="$at" -v b="$since" 'BEGIN { print a - b }')"
        since=$at
        echo "$chars $shape key_at_${at}s $("$painttime" --key x --region "$area" --min-width 100 --changed 150 --timeout 10000)"
    done
    # On to step 5, and Enter in its last field goes on to the generator.
    keys Tab Tab Tab Tab Return
    next_window "$w"
    w="$(visible)"
    keys space Tab
    type_text "hits"
    keys Tab Return
    next_window "$w"
    w="$(visible)"
    keys Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab
    sleep 1
    area="$(active_area)"
    # The generator shows about where step 5 was, and Qt paints a new window whole: the first
    # damage there at least half as wide and as high as the window (the window manager's frame
    # is drawn in strips).
    local half_width=$(( $(cut -d, -f3 <<<"$area") / 2 )) half_height=$(( $(cut -d, -f4 <<<"$area") / 2 ))
    if [[ -n "${CONTINUE_LOG:-}" ]]; then
        PAINTTIME_LOG=1 "$painttime" --key Return --region "$area" --min-width "$half_width" --min-height "$half_height" --timeout 10000 2>"$work/continue.log" >/dev/null || true
        cp "$work/continue.log" "${CONTINUE_LOG}.$chars.$shape"
        echo "$chars $shape continue (logged)"
    else
        echo "$chars $shape continue $("$painttime" --key Return --region "$area" --min-width "$half_width" --min-height "$half_height" --timeout 10000)"
    fi
    sleep 1
    kill "$program_pid" 2>/dev/null || true
    wait "$program_pid" 2>/dev/null || true
}

for chars in "${sizes[@]}"; do
    for shape in paragraphs one_paragraph; do
        run_once "$chars" "$shape"
    done
done
