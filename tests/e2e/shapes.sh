#!/bin/bash
# End-to-end journey of the player's own shapes: F6, a 4 x 5 rectangle drawn by dragging, four pieces chosen,
# the verdict, its code copied, saved under a name, Escape back to the idle screen, the code pasted into a new
# drawing (the same verdict), the shape found in F4, played to victory, and its best time in the chooser.
# SPDX-License-Identifier: GPL-3.0-or-later
. "$(dirname "$0")/lib.sh"
BIN=${1:?usage: shapes.sh TESSALOR_BINARY ASSET_TOOL} TOOL=${2:?usage}
skip_unless_x_tools
three_piece_game "$BIN" "$TOOL"
start_screen
start_game "$GAME_DIR/tessalor"
shot idle && IDLE=$SHOT.png IDLE_X=$SX IDLE_Y=$SY
# The play area, and the label under the board, as before the workshop.
area_idle() { shot "$1"; [ "$(region_diff area 0 24 720 384 "$IDLE" "$IDLE_X" $((IDLE_Y + 24)))" = 0 ]; }
as_idle() { area_idle "$1" && [ "$(region_diff label 128 415 91 40 "$IDLE" $((IDLE_X + 128)) $((IDLE_Y + 415)))" = 0 ]; }
# cut NAME X Y W H [WINDOW]: that part of the window, once the verdict came, as NAME.cut.png.
cut() { sleep 1; shot "$1" "${6:-$WID}"; crop "$SHOT.png" $((SX + $2)) $((SY + $3)) "$4" "$5" "$E2E_TMP/$1.cut.png"; }
same() { [ "$(diff_pixels "$E2E_TMP/$1.cut.png" "$E2E_TMP/$2.cut.png")" = 0 ]; }
xdotool key F6
wmove "$(cell_x 6)" "$(cell_y 5)" && xdotool mousedown 1
for at in 6:9 7:9 7:5 8:5 8:9 9:9 9:5; do wmove "$(cell_x "${at%:*}")" "$(cell_y "${at#*:}")"; done
xdotool mouseup 1
wait_px drawn "$(cell_x 9)" "$(cell_y 5)" "$WOOD" || fail "the drag did not mark its cells"
cells_are "rectangle" "$WOOD" 6:6 7:7 8:8 9:9 6:9 9:6
for p in 0 2 3 11; do wclick "$(tray_cell_x $p)" "$(tray_cell_y $p)"; done  # I, L, N, V: the others go dark
wait_px chosen "$(tray_cell_x 1)" "$(tray_cell_y 1)" "$SILHOUETTE" || fail "the X still shows as in the set"
cut chosen 128 415 91 40
xdotool key ctrl+c Return
await_dialog "Enter opened no naming dialog" && { sleep 0.3; xdotool type rect; wclick 128 139 1 "$DLG"; }
wait_for 5 grep -qx rect "$E2E_TMP/xdg/tessalor/formes.txt" || fail "formes.txt holds no shape named rect"
xdotool key Escape
wait_for 5 as_idle left || fail "leaving the saved workshop did not give back the idle screen"
xdotool key F6 ctrl+v
wait_px pasted "$(cell_x 7)" "$(cell_y 7)" "$WOOD" || fail "the pasted code drew no shape"
cut pasted 128 415 91 40
same chosen pasted || fail "the pasted shape's label differs from the drawn one's"
xdotool key Escape
await_dialog "leaving an unsaved drawing asked nothing" && wclick 69 140 1 "$DLG"
xdotool key F4
await_dialog "F4 opened no chooser" && { xdotool key End; cut untimed 240 84 90 18 "$DLG"; xdotool key Return; }
wait_for 5 dialog_gone || fail "Enter did not play the chosen shape"
wait_px playing "$(cell_x 6)" "$(cell_y 5)" "$WOOD" || fail "the rectangle is not in play"
# A tiling: I and V as in the tray, L turned twice, N mirrored.
for move in 0::6:7 11::8:6 2:Return,Return:7:7 3:space:8:8; do
    IFS=: read -r p keys c r <<<"$move"
    wclick "$(tray_cell_x "$p")" "$(tray_cell_y "$p")"
    [ -z "$keys" ] || xdotool key ${keys//,/ }
    wclick "$(cell_x "$c")" "$(cell_y "$r")"
done
wait_for 30 area_idle won || fail "the rectangle was not won (see won.png)"
xdotool key F4
await_dialog "F4 opened no chooser after the victory" && { xdotool key End; cut timed 240 84 90 18 "$DLG"; xdotool key Escape; }
same untimed timed && fail "the chooser shows no best time for rect after its victory"
finish
