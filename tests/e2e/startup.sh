#!/bin/bash
# The real program under Xvfb: the first screen, a second start, SIGTERM.
# Usage: startup.sh TESSALOR_BINARY ASSET_TOOL
here=$(cd "$(dirname "$0")" && pwd)
. "$here/lib.sh"

BIN=${1:?usage: startup.sh TESSALOR_BINARY ASSET_TOOL}
TOOL=${2:?usage: startup.sh TESSALOR_BINARY ASSET_TOOL}
skip_unless_tools Xvfb xdotool xsetroot xdpyinfo import convert compare

make_reference_art "$TOOL"
start_xvfb
# The head keeps its first frame while the pointer rests where the program
# believes it was last: the screen origin.
xdotool mousemove 0 0
start_game "$BIN"

window_pos "$WID"
expect_eq "main window size" "$(xdotool getwindowgeometry "$WID" | sed -n 's/.*Geometry: //p')" "720x488"
expect_eq "main window centred on the screen" "$WX,$WY" "152,140"
# Saved games live under XDG_DATA_HOME; the folder is made at start.
[ -d "$E2E_TMP/xdg/kvtscore/tessa2002" ] || fail "no save folder \$XDG_DATA_HOME/kvtscore/tessa2002 after start"

# Past the first clock tick, so the idle head has had its chance to change.
sleep 0.5
shot start
expect_outline "start"

# The twelve pieces in their tray cells, each in its own tile colour.
for p in $(seq 0 11); do
    expect_px "tray piece $p" "$(tray_cell_x "$p")" "$(tray_cell_y "$p")" "$(tile_centre "$p")"
done
# The board between the trays is empty: no piece colour on it.
for c in 0 7 15; do
    for r in 0 8 15; do
        got=$(px "$(cell_x $c)" "$(cell_y $r)")
        for p in $(seq 0 11); do
            [ "$got" = "$(tile_centre "$p")" ] && fail "board cell ($c,$r) shows piece $p's colour at start"
        done
        [ "$got" = "$(tile_centre 16)" ] && fail "board cell ($c,$r) shows a wooden shape cell at start"
    done
done

# The head shows frame 0 of the head sheet, pixel for pixel.
expect_region head-frame0 48 416 80 64 "$HEAD_SHEET" 0 0

head_is() {
    shot head-$1
    [ "$(region_diff head-$1 48 416 80 64 "$HEAD_SHEET" "$1" 0)" = 0 ]
}

# The head follows the pointer: right of x 240 and high up it looks at
# frame 5, left of x 240 at frame 3. Xvfb sends no raw motion for XTEST
# moves, so SDL refreshes its global pointer position only on a button: a
# click where it does nothing (the tray, no level running) stands in.
wclick 600 200
wait_for 5 head_is 400 || fail "head did not turn to frame 5 when the pointer moved to window (600,200)"
wclick 100 200
wait_for 5 head_is 240 || fail "head did not turn to frame 3 when the pointer moved to window (100,200)"
shot after-head
expect_outline "after the pointer moved"

# The clock: "00:00" at start becomes hh:mm:ss, which is wider.
clock_cols() {
    convert "$SHOT.png" -crop 88x24+$((SX + 130))+$((SY + 455)) +repage -fill black -opaque '#002a00' \
        -trim -format '%w' info: 2>/dev/null
}
wide=$(clock_cols)
[ -n "$wide" ] && [ "$wide" -gt 70 ] ||
    fail "clock label drawn $wide px wide after a tick, expected a hh:mm:ss time (> 70 px)"

# A second start while the game runs leaves at once, status 0, no window.
second_rc=$E2E_TMP/second.rc
(
    XDG_DATA_HOME=$E2E_TMP/xdg TESSALOR_LOCK_FILE=$E2E_TMP/lock SDL_AUDIODRIVER=dummy \
        TESSALOR_REPORT_FRAME=1 "$BIN" 2>"$E2E_TMP/second.err"
    echo $? >"$second_rc"
) &
SECOND_PID=$!
if wait_for 10 test -e "$second_rc"; then
    expect_eq "second start exit status" "$(cat "$second_rc")" 0
    SECOND_PID=
else
    fail "a second start was still running after 10 s"
fi
grep -q 'first frame' "$E2E_TMP/second.err" && fail "the second start presented a frame"
expect_eq "visible Tessalor windows after a second start" "$(count_windows)" 1
kill -0 "$GAME_PID" 2>/dev/null || fail "the first game ended when a second one started"

# SIGTERM ends the game cleanly.
kill -TERM "$GAME_PID"
if status=$(wait_game_exit 10); then
    expect_eq "exit status after SIGTERM" "$status" 0
    GAME_PID=
else
    fail "the game still ran 10 s after SIGTERM"
fi
no_windows() { [ "$(count_windows)" = 0 ]; }
wait_for 5 no_windows || true
expect_eq "Tessalor windows after SIGTERM" "$(count_windows)" 0

finish
