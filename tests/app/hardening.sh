#!/usr/bin/env bash
# The real program against hostile data files and signals at its error box:
# SPDX-License-Identifier: GPL-3.0-or-later
# each bad file is refused at once with a French message naming it (status
# 1), and no error leaves the game running or its single-instance lock held.
# Usage: hardening.sh TESSALOR_BINARY PICTURE_CORPUS
. "$(dirname "$0")/../e2e/lib.sh"
exe=${1:?usage} pictures=${2:?usage}
data=$(dirname "$exe")
dir=$E2E_TMP
cp "$exe" "$data"/tessa32*.dat "$dir/"
bg=$dir/tessa32c.dat
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy XDG_DATA_HOME="$dir/xdg" XDG_CONFIG_HOME="$dir/config" TESSALOR_LOCK_FILE="$dir/lock"
# Without a sanitizer (AddressSanitizer or ThreadSanitizer need a vast address
# space; gcc links them as a library, clang into the program) a regression
# cannot take the machine's memory.
grep -qaE '__(asan|tsan)_init' "$exe" || ulimit -v 1000000

# refuses FILE REASON CASE: started with FILE in place, the game ends at once
# with status 1 and a message naming the file and the reason.
refuses() {
    timeout 10 "$dir/tessalor" 2>"$dir/refused.log"
    local status=$?
    [ "$status" -eq 1 ] && grep -qF "$dir/$1" "$dir/refused.log" && grep -qF "$2" "$dir/refused.log" ||
        fail "$1 ($3): status $status, expected 1 and a message with « $2 »: $(cat "$dir/refused.log")"
}
cp "$pictures/huge.bmp" "$bg"; refuses tessa32c.dat "trop grande" "BMP header of 65536 x 65536"
cp "$pictures/huge.png" "$bg"; refuses tessa32c.dat "trop grande" "PNG header of 12000 x 12000"
cp "$pictures/small.bmp" "$bg"; refuses tessa32c.dat "2 × 2 pixels au lieu de 720 × 488" "background too small"
rm "$bg"; mkfifo "$bg"; refuses tessa32c.dat "pas un fichier ordinaire" "FIFO background"
rm "$bg"; cp "$data/tessa32c.dat" "$bg"
mkfifo "$dir/tessa323.dat"; refuses tessa323.dat "pas un fichier ordinaire" "FIFO pack"
rm "$dir/tessa323.dat"
rm -rf "$dir/xdg" "$bg"; refuses tessa32c.dat "image de fond" "missing background"
[ -e "$dir/xdg" ] && fail "a start that failed made the save folder"

# The error box needs a display: the rest runs under a private Xvfb.
for t in Xvfb xdpyinfo xsetroot xwininfo; do
    command -v "$t" >/dev/null || { log "$t missing: the error box is not tried"; [ "$E2E_FAILS" -eq 0 ] && exit 77; finish; }
done
start_screen
unset SDL_VIDEODRIVER
box_shown() { xwininfo -root -tree 2>/dev/null | grep -q '"Tessalor"'; }

for sig in TERM KILL; do
    "$dir/tessalor" 2>/dev/null &
    GAME_PID=$!
    wait_for 10 box_shown || fail "no error box without the background"
    kill -"$sig" "$GAME_PID"
    wait_for 2 ended "$GAME_PID" || fail "SIG$sig at the error box: the game still runs 2 s later"
    stop_pid "$GAME_PID"
    wait "$GAME_PID" 2>/dev/null
    GAME_PID=
    wait_for 2 eval '! box_shown' || fail "SIG$sig at the error box: the box stayed on screen"
done
# After the SIGKILL nothing holds the lock: a normal start shows its window.
cp "$data/tessa32c.dat" "$bg"
TESSALOR_REPORT_FRAME=1 "$dir/tessalor" 2>"$dir/game.err" &
GAME_PID=$!
wait_for 10 grep -q "first frame" "$dir/game.err" || fail "no first frame after the box was killed: $(cat "$dir/game.err")"
kill -TERM "$GAME_PID"
wait "$GAME_PID" || fail "status $? after SIGTERM"
GAME_PID=
finish
