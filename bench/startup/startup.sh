#!/bin/bash
# SPDX-FileCopyrightText: 2026 Equipe Vorkade
# SPDX-License-Identifier: GPL-3.0-or-later

# Start-up benchmark: how long the game takes from process start until its
# frame is mapped, and how much resident memory it holds once shown, against a
# bare Qt multiple-document frame (bare_frame.cpp) started the same way.
#
#   bench/startup/startup.sh [BUILD_DIR [RUNS]]     (defaults: build 20)
#
# The programs run on a private Xvfb, in turn, RUNS times each after one
# unrecorded warm-up each: the game, the bare frame, and the bare frame showing
# text as the game's frame does ("--text": menus, status bar, a child's caption),
# which tells what text costs from what the game adds. The time is taken by polling xdotool every few
# milliseconds ("xdotool search --sync" polls only twice a second, far too
# coarse); the memory is VmRSS once the window has been up for a moment.
# Last, startup_stages (stages.cpp) shows where the game's start-up goes.
# Needs Xvfb and xdotool (scripts/install-deps.sh installs both).
set -euo pipefail
export LC_ALL=C # EPOCHREALTIME must use "." as its decimal point

build=${1:-build}
runs=${2:-20}
game="$build/src/vorkade2"
bare="$build/bench/startup/bare_frame"
stages="$build/bench/startup/startup_stages"
game_title='^Vorkade II$'
bare_title='^Bare Qt frame$'
text_title='^Bare Qt frame with text$'
poll=0.003   # seconds between two looks for the window
settle=0.4   # seconds the shown window is left to finish painting before its memory is read
give_up=30   # seconds after which a window that never shows fails the run

# Goals: the game starts at most 15 % slower than the bare frame and holds at
# most 8 MiB more.
max_time_ratio=1.15
max_extra_kib=$((8 * 1024))

for program in "$game" "$bare" "$stages"; do
    if [ ! -x "$program" ]; then
        echo "startup.sh: $program is missing; build it first (cmake --build $build)" >&2
        exit 1
    fi
done
for tool in Xvfb xdotool; do
    if ! command -v "$tool" >/dev/null; then
        echo "startup.sh: $tool is missing; run scripts/install-deps.sh" >&2
        exit 1
    fi
done

work=$(mktemp -d)
xvfb_pid=""
child_pid=""
cleanup() {
    set +e
    if [ -n "$child_pid" ]; then kill "$child_pid" 2>/dev/null; fi
    if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null; fi
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

# A pause without starting a process: read with a time-out on a pipe nobody writes.
mkfifo "$work/nap"
exec {nap}<>"$work/nap"
pause() { read -r -t "$1" -u "$nap" _ || true; }

# Xvfb picks a free display itself and writes its number once it accepts clients.
# Without -noreset it would reset whenever its last client left, between two
# runs, and refuse the next program while doing so.
Xvfb -displayfd 5 -noreset -screen 0 1280x1024x24 -nolisten tcp 5>"$work/display" \
    2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 1000); do
    [ -s "$work/display" ] && break
    kill -0 "$xvfb_pid" 2>/dev/null || { echo "startup.sh: Xvfb did not start" >&2; exit 1; }
    pause 0.01
done
DISPLAY=":$(head -n1 "$work/display")"
export DISPLAY
unset QT_QPA_PLATFORM WAYLAND_DISPLAY

# Microseconds of wall time, taken without starting a process.
micros() { micros=${EPOCHREALTIME/./}; }

# Starts a program (the title of its window first, then its command), waits
# until its window is mapped, then prints "<microseconds to map> <resident KiB>"
# and ends the program.
measure() {
    local title=$1 program=$2 start shown rss
    shift
    micros
    start=$micros
    "$@" >/dev/null 2>"$work/messages" &
    child_pid=$!
    until xdotool search --onlyvisible --name "$title" >/dev/null 2>&1; do
        if ! kill -0 "$child_pid" 2>/dev/null; then
            echo "startup.sh: $program ended before showing its window:" >&2
            cat "$work/messages" "$work/xvfb.log" >&2
            exit 1
        fi
        micros
        if ((micros - start > give_up * 1000000)); then
            echo "startup.sh: $program showed no window within $give_up s" >&2
            exit 1
        fi
        pause "$poll"
    done
    micros
    shown=$micros
    pause "$settle"
    rss=$(awk '/^VmRSS:/ { print $2 }' "/proc/$child_pid/status")
    kill "$child_pid"
    wait "$child_pid" 2>/dev/null || true
    child_pid=""
    echo "$((shown - start)) $rss"
}

# Median of the numbers on standard input.
median() {
    sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

measure "$game_title" "$game" >/dev/null
measure "$bare_title" "$bare" >/dev/null
measure "$text_title" "$bare" --text >/dev/null
: >"$work/game"
: >"$work/bare"
: >"$work/text"
for ((i = 1; i <= runs; ++i)); do
    measure "$game_title" "$game" >>"$work/game"
    measure "$bare_title" "$bare" >>"$work/bare"
    measure "$text_title" "$bare" --text >>"$work/text"
done

game_us=$(cut -d' ' -f1 "$work/game" | median)
bare_us=$(cut -d' ' -f1 "$work/bare" | median)
game_kib=$(cut -d' ' -f2 "$work/game" | median)
bare_kib=$(cut -d' ' -f2 "$work/bare" | median)
text_us=$(cut -d' ' -f1 "$work/text" | median)
text_kib=$(cut -d' ' -f2 "$work/text" | median)
# Each game run and the bare run right after it met the same load on the machine:
# the median of their ratios shrugs off a busy moment better than the ratio of medians.
paired=$(paste -d' ' "$work/game" "$work/bare" | awk '{ print $1 / $3 }' | median)

awk -v runs="$runs" -v gt="$game_us" -v bt="$bare_us" -v gm="$game_kib" -v bm="$bare_kib" \
    -v tt="$text_us" -v tm="$text_kib" -v paired="$paired" \
    -v max_ratio="$max_time_ratio" -v max_extra="$max_extra_kib" '
function verdict(ok) { return ok ? "met" : "NOT met" }
BEGIN {
    printf "Start-up, median of %d runs each (process start to window mapped; resident memory once shown)\n\n", runs
    printf "| Program                  | Time to window (ms) | Resident memory (MiB) |\n"
    printf "|--------------------------|--------------------:|----------------------:|\n"
    printf "| game                     | %19.1f | %21.1f |\n", gt / 1000, gm / 1024
    printf "| bare frame               | %19.1f | %21.1f |\n", bt / 1000, bm / 1024
    printf "| bare frame with text     | %19.1f | %21.1f |\n", tt / 1000, tm / 1024
    printf "| game / bare              | %19.3f | %21.3f |\n", gt / bt, gm / bm
    printf "| game / bare with text    | %19.3f | %21.3f |\n\n", gt / tt, gm / tm
    printf "time ratio %.3f (goal <= %.2f): %s\n", gt / bt, max_ratio, verdict(gt / bt <= max_ratio)
    printf "time ratio of runs in pairs, median %.3f\n", paired
    printf "memory %+.1f MiB over the bare frame (goal <= +%.0f MiB): %s\n",
        (gm - bm) / 1024, max_extra / 1024, verdict(gm - bm <= max_extra)
}'

echo
"$stages" "$runs"
