#!/bin/bash
# Start-up time (exec to the first presented frame) and peak RSS of the game,
# under a private Xvfb. Goals: median within 120 ms, peak RSS within 32 MB.
#   bench/game/startup.sh [build-dir] [runs]     (default build-bench, 5)
# SPDX-License-Identifier: GPL-3.0-or-later
set -euo pipefail

build=${1:-$(dirname "$0")/../../build-bench}
runs=${2:-5}
bin=$(realpath "$build/tessalor")
[[ -x $bin ]] || { echo "startup.sh: $bin not built" >&2; exit 1; }

tmp=$(mktemp -d)
xvfb_pid=
cleanup() {
    [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    rm -rf "$tmp"
}
trap cleanup EXIT

# Xvfb writes the display number it chose once it is ready.
Xvfb -displayfd 5 -screen 0 1024x768x24 -nolisten tcp 5>"$tmp/display" 2>"$tmp/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do [[ -s $tmp/display ]] && break; sleep 0.05; done
[[ -s $tmp/display ]] || { echo "startup.sh: Xvfb did not start" >&2; cat "$tmp/xvfb.log" >&2; exit 1; }
export DISPLAY=:$(head -n1 "$tmp/display")

export SDL_AUDIODRIVER=dummy TESSALOR_REPORT_FRAME=1
export XDG_DATA_HOME=$tmp/xdg TESSALOR_LOCK_FILE=$tmp/lock

ms() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.1f", (b - a) * 1000 }'; }

times=() rss=()
for i in $(seq "$runs"); do
    fifo=$tmp/stderr.$i
    mkfifo "$fifo"
    start=$EPOCHREALTIME
    /usr/bin/time -f %M -o "$tmp/rss.$i" "$bin" 2>"$fifo" &
    time_pid=$!
    exec 3<"$fifo"
    first=
    while IFS= read -r -t 10 line <&3; do
        if [[ $line == "tessalor: first frame" ]]; then first=$EPOCHREALTIME; break; fi
    done
    cat <&3 >/dev/null &
    drain=$!
    game=$(pgrep -P "$time_pid" || true)
    [[ -n $game ]] && kill -TERM "$game"
    wait "$time_pid" || echo "run $i: exit status $?" >&2
    wait "$drain" || true
    exec 3<&-
    [[ -n $first ]] || { echo "run $i: no first frame within 10 s" >&2; exit 1; }
    t=$(ms "$start" "$first")
    kb=$(tail -n1 "$tmp/rss.$i")
    printf 'run %d: first frame %s ms, peak RSS %d KB\n' "$i" "$t" "$kb"
    times+=("$t") rss+=("$kb")
done

median=$(printf '%s\n' "${times[@]}" | sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }')
maxrss=$(printf '%s\n' "${rss[@]}" | sort -n | tail -n1)
printf 'median first frame: %s ms (goal <= 120)\n' "$median"
printf 'max peak RSS: %d KB = %.1f MB (goal <= 32)\n' "$maxrss" "$(awk -v k="$maxrss" 'BEGIN { print k / 1024 }')"
