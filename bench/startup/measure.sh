#!/usr/bin/env bash
# Start-up of Rankwright Assistant (programstartup: the program's own start, reporting its figures)
# next to a bare Qt Widgets program showing one empty window:
# milliseconds from process start to the first paint of the splash (of the window), and the peak
# resident memory once the main menu (the window) has been painted. Each figure is the median of
# several runs; the main menu comes 6 s after the splash, so each run of the program takes that long.
#
#   bench/startup/measure.sh [BUILD_DIR] [RUNS]
#
# BUILD_DIR is a build configured with -DRANKWRIGHT_BUILD_BENCHMARKS=ON (default build-bench, as
# scripts/benchmarks makes it); RUNS defaults to 5. Runs on a private X server (xvfb-run) when one
# is installed, otherwise on Qt's offscreen platform; QT_QPA_PLATFORM=offscreen forces the latter.
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:-build-bench}
runs=${2:-5}
program=$build/bench/startup/programstartup
bare=$build/bench/startup/barewindow
for binary in "$program" "$bare"; do
    [[ -x "$binary" ]] || { echo "missing $binary: build $build with -DRANKWRIGHT_BUILD_BENCHMARKS=ON" >&2; exit 1; }
done

if [[ -z "${RANKWRIGHT_MEASURE_INSIDE:-}" ]]; then
    if [[ "${QT_QPA_PLATFORM:-}" != offscreen ]] && command -v xvfb-run > /dev/null; then
        echo "platform: xcb on Xvfb"
        RANKWRIGHT_MEASURE_INSIDE=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$build" "$runs"
    fi
    echo "platform: offscreen (xvfb-run gives a real X server)"
    export QT_QPA_PLATFORM=offscreen
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

median() { sort -n | awk '{ v[NR] = $1 } END { if (NR) print v[int((NR + 1) / 2)]; else print "?" }'; }

# The program's start ends by itself once it has reported its main menu; a run that hangs is ended.
for ((i = 1; i <= runs; i++)); do
    out=$work/program-$i
    timeout 60 "$program" > "$out" 2> /dev/null || true
    grep -q '^main menu shown' "$out" || { echo "run $i: the program reported no main menu" >&2; cat "$out" >&2; exit 1; }
    "$bare" > "$work/bare-$i" 2> /dev/null
done

splash=$(sed -n 's/^splash shown after \([0-9]*\) ms.*/\1/p' "$work"/program-* | median)
menuPeak=$(sed -n 's/^main menu shown .*peak memory \([0-9]*\) kB.*/\1/p' "$work"/program-* | median)
window=$(sed -n 's/^window shown after \([0-9]*\) ms.*/\1/p' "$work"/bare-* | median)
barePeak=$(sed -n 's/^window shown .*peak memory \([0-9]*\) kB.*/\1/p' "$work"/bare-* | median)

echo "runs: $runs (medians)"
printf '%-44s %8s ms\n' "Rankwright Assistant, splash shown after" "$splash"
printf '%-44s %8s ms\n' "bare Qt Widgets window shown after" "$window"
printf '%-44s %8s kB\n' "Rankwright Assistant, peak memory at menu" "$menuPeak"
printf '%-44s %8s kB\n' "bare Qt Widgets window, peak memory" "$barePeak"
