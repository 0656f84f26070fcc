#!/usr/bin/env bash
# The real program against hostile data files and signals at its error box:
# each bad file is refused at once with a French message naming it (status
# 1), and no error leaves the game running or its single-instance lock held.
# Usage: hardening.sh TESSALOR_BINARY PICTURE_CORPUS
set -u
exe=$1 pictures=$2
data=$(dirname "$exe")
dir=$(mktemp -d)
xvfb=
trap '[ -n "$xvfb" ] && kill "$xvfb"; rm -rf "$dir"' EXIT
cp "$exe" "$data"/tessa32*.dat "$dir/"
bg=$dir/tessa32c.dat
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy XDG_DATA_HOME="$dir/xdg" TESSALOR_LOCK_FILE="$dir/lock"
fail=0
# Without a sanitizer (which needs a vast address space) a regression cannot
# take the machine's memory.
ldd "$exe" | grep -q libasan || ulimit -v 1000000

# refuses FILE REASON CASE: started with FILE in place, the game ends at once
# with status 1 and a message naming the file and the reason.
refuses() {
    timeout 10 "$dir/tessalor" 2>"$dir/err"
    local status=$?
    if [ "$status" -ne 1 ] || ! grep -qF "$dir/$1" "$dir/err" || ! grep -qF "$2" "$dir/err"; then
        echo "$1 ($3): status $status, expected 1 and a message with « $2 »:"; cat "$dir/err"; fail=1
    fi
}
cp "$pictures/huge.bmp" "$bg"; refuses tessa32c.dat "trop grande" "BMP header of 65536 x 65536"
cp "$pictures/huge.png" "$bg"; refuses tessa32c.dat "trop grande" "PNG header of 12000 x 12000"
cp "$pictures/small.bmp" "$bg"; refuses tessa32c.dat "2 × 2 pixels au lieu de 720 × 488" "background too small"
rm "$bg"; mkfifo "$bg"; refuses tessa32c.dat "pas un fichier ordinaire" "FIFO background"
rm "$bg"; cp "$data/tessa32c.dat" "$bg"
mkfifo "$dir/tessa323.dat"; refuses tessa323.dat "pas un fichier ordinaire" "FIFO pack"
rm "$dir/tessa323.dat"
rm -rf "$dir/xdg" "$bg"; refuses tessa32c.dat "image de fond" "missing background"
[ -e "$dir/xdg" ] && { echo "a start that failed made the save folder"; fail=1; }

# The error box needs a display: the rest runs under a private Xvfb.
if ! command -v Xvfb >/dev/null || ! command -v xwininfo >/dev/null; then
    echo "Xvfb or xwininfo missing: the error box is not tried"
    exit $((fail ? 1 : 77))
fi
Xvfb -displayfd 5 -screen 0 800x600x24 -nolisten tcp 5>"$dir/display" 2>/dev/null &
xvfb=$!
for _ in $(seq 100); do [ -s "$dir/display" ] && break; sleep 0.05; done
export DISPLAY=:$(head -n1 "$dir/display")
unset SDL_VIDEODRIVER

within() {  # within SECONDS COMMAND...: true once COMMAND succeeds
    local i
    for i in $(seq $(($1 * 10))); do "${@:2}" && return 0; sleep 0.1; done
    return 1
}
box_shown() { xwininfo -root -tree 2>/dev/null | grep -q '"Tessalor"'; }
box_gone() { ! box_shown; }
ended() { [ ! -e "/proc/$pid" ] || grep -q '^State:.*Z' "/proc/$pid/status"; }

for sig in TERM KILL; do
    "$dir/tessalor" 2>/dev/null &
    pid=$!
    if ! within 10 box_shown; then echo "no error box without the background"; fail=1; fi
    kill -"$sig" "$pid"
    within 2 ended || { echo "SIG$sig at the error box: the game still runs 2 s later"; fail=1; kill -KILL "$pid"; }
    wait "$pid" 2>/dev/null
    within 2 box_gone || { echo "SIG$sig at the error box: the box stayed on screen"; fail=1; }
done
# After the SIGKILL nothing holds the lock: a normal start shows its window.
cp "$data/tessa32c.dat" "$bg"
TESSALOR_REPORT_FRAME=1 "$dir/tessalor" 2>"$dir/err" &
pid=$!
within 10 grep -q "first frame" "$dir/err" || { echo "no first frame after the box was killed:"; cat "$dir/err"; fail=1; }
kill -TERM "$pid"
wait "$pid"
exit $fail
