#!/bin/bash
# Benchmark: what the game costs while it sits idle.
# SPDX-License-Identifier: GPL-3.0-or-later
# What the game costs while it sits idle: wake-ups per second and CPU share of
# its main thread (the event loops) and of the whole process, over 10 s at the
# start screen (menu) and 10 s in a level. Goals: at most 10 wake-ups/s and
# under 0.2 % of a core for the event loops.
#   bench/game/idle.sh [build-dir] [seconds]     (default build-bench, 10)
# TESSALOR_SCALE passes through, to measure a scaled window.
set -euo pipefail

build=${1:-$(dirname "$0")/../../build-bench}
secs=${2:-10}
bin=$(realpath "$build/tessalor")
[[ -x $bin ]] || { echo "idle.sh: $bin not built" >&2; exit 1; }

tmp=$(mktemp -d)
xvfb_pid= game_pid=
cleanup() {
    [[ -n $game_pid ]] && kill "$game_pid" 2>/dev/null && wait "$game_pid" 2>/dev/null
    [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    rm -rf "$tmp"
}
trap cleanup EXIT

Xvfb -displayfd 5 -screen 0 1920x1080x24 -nolisten tcp 5>"$tmp/display" 2>"$tmp/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do [[ -s $tmp/display ]] && break; sleep 0.05; done
[[ -s $tmp/display ]] || { echo "idle.sh: Xvfb did not start" >&2; exit 1; }
export DISPLAY=:$(head -n1 "$tmp/display")
export SDL_AUDIODRIVER=dummy TESSALOR_REPORT_FRAME=1
export XDG_DATA_HOME=$tmp/xdg TESSALOR_LOCK_FILE=$tmp/lock

"$bin" 2>"$tmp/err" &
game_pid=$!
for _ in $(seq 100); do grep -q 'first frame' "$tmp/err" && break; sleep 0.1; done
wid=$(xdotool search --sync --onlyvisible --name '^Tessalor$' | head -n1)
scale=${TESSALOR_SCALE:-1}

# Context switches and CPU nanoseconds of one thread, or of all of them.
sample() {
    local f=/proc/$game_pid/task/$1 sw cpu
    sw=$(awk '/ctxt_switches/ { s += $2 } END { print s }' "$f/status")
    cpu=$(awk '{ print $1 }' "$f/schedstat")
    echo "$sw $cpu"
}
sample_all() {
    local t sw=0 cpu=0 a b
    for t in /proc/$game_pid/task/*; do
        read -r a b < <(sample "${t##*/}")
        sw=$((sw + a)) cpu=$((cpu + b))
    done
    echo "$sw $cpu"
}
measure() {
    local what=$1 m0 m1 p0 p1
    xdotool mousemove 5 5
    sleep 1
    m0=$(sample "$game_pid") p0=$(sample_all)
    sleep "$secs"
    m1=$(sample "$game_pid") p1=$(sample_all)
    awk -v w="$what" -v s="$secs" -v a="$m0" -v b="$m1" -v c="$p0" -v d="$p1" 'BEGIN {
        split(a, A); split(b, B); split(c, C); split(d, D)
        printf "%-6s main thread: %6.1f wake-ups/s, %.3f %% CPU | whole process: %6.1f wake-ups/s, %.3f %% CPU\n",
            w, (B[1] - A[1]) / s, (B[2] - A[2]) / s / 1e7, (D[1] - C[1]) / s, (D[2] - C[2]) / s / 1e7 }'
}

measure menu
# The menu panel, then "Jouer avec une forme au hasard".
eval "$(xdotool getwindowgeometry --shell "$wid")"
xdotool mousemove --sync $((X + 360 * scale)) $((Y + 430 * scale)) click 1
sleep 0.5
xdotool mousemove --sync $((X + 460 * scale)) $((Y + 280 * scale)) click 1
sleep 0.5
measure level
