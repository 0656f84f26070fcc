#!/bin/bash
# End-to-end journey of the player's own shapes: drawn in the workshop, saved, found in F4, played, timed.
# SPDX-License-Identifier: GPL-3.0-or-later
# The real program under Xvfb: F6, a 4 x 5 rectangle drawn with the pointer,
# four pieces chosen in the tray, the verdict in the label, its code copied,
# the shape saved under a name; Escape gives back the idle screen; the code
# pasted into a new drawing gives the same verdict; F4 finds the shape, it is
# played to victory and the chooser shows its best time.
. "$(dirname "$0")/lib.sh"
BIN=${1:?usage: shapes.sh TESSALOR_BINARY ASSET_TOOL} TOOL=${2:?usage}
skip_unless_x_tools

three_piece_game "$BIN" "$TOOL"
start_screen
xdotool mousemove 0 0
start_game "$GAME_DIR/tessalor"
sleep 0.5
shot idle
IDLE=$SHOT.png IDLE_X=$SX IDLE_Y=$SY
# The play area and the label under the board as before the workshop.
LABEL="128 415 91 40"
area_idle() { shot "$1"; [ "$(region_diff area 0 24 720 384 "$IDLE" "$IDLE_X" $((IDLE_Y + 24)))" = 0 ]; }
as_idle() { area_idle "$1" && [ "$(region_diff label $LABEL "$IDLE" $((IDLE_X + 128)) $((IDLE_Y + 415)))" = 0 ]; }
# label_of NAME: the label's pixels now, kept as NAME.label.png once the verdict stopped changing.
label_of() {
    local n
    sleep 1
    shot "$1"
    crop "$SHOT.png" $((SX + 128)) $((SY + 415)) 91 40 "$E2E_TMP/$1.label.png"
    shot "$1-again"
    n=$(region_diff "$1-again" $LABEL "$E2E_TMP/$1.label.png")
    [ "$n" = 0 ] || fail "$1: the label still changes ($n pixels)"
}
same_label() { [ "$(diff_pixels "$E2E_TMP/$1.label.png" "$E2E_TMP/$2.label.png")" = 0 ]; }

log "workshop: a 4 x 5 rectangle drawn by dragging"
xdotool key F6
for c in 6 7 8 9; do
    wmove "$(cell_x $c)" "$(cell_y 5)"
    xdotool mousedown 1
    wmove "$(cell_x $c)" "$(cell_y 9)"
    xdotool mouseup 1
done
wait_px drawn "$(cell_x 9)" "$(cell_y 8)" "$WOOD" || fail "the drag did not mark its cells"
cells_are "rectangle" "$WOOD" 6:5 7:6 8:7 9:9 6:9
expect_px "outside the rectangle" "$(cell_x 10)" "$(cell_y 7)" "$(rgb_px "${IDLE%.png}.rgb" $((IDLE_X + $(cell_x 10))) $((IDLE_Y + $(cell_y 7))))"
label_of automatic
# I, L, N and V: the others go dark in the tray.
for p in 0 2 3 11; do wclick "$(tray_cell_x $p)" "$(tray_cell_y $p)"; done
wait_px chosen "$(tray_cell_x 1)" "$(tray_cell_y 1)" "$SILHOUETTE" || fail "the X still shows as in the set"
expect_px "the I chosen" "$(tray_cell_x 0)" "$(tray_cell_y 0)" "$RED"
label_of chosen
same_label automatic chosen && fail "choosing four pieces left the label as it was"
xdotool key ctrl+c

log "saved as 'rect'"
xdotool key Return
await_dialog "Enter opened no naming dialog" && {
    sleep 0.3
    xdotool type rect
    wclick 128 139 1 "$DLG"
}
wait_for 5 dialog_gone || fail "the naming dialog stayed open"
grep -qx rect "$E2E_TMP/xdg/tessalor/formes.txt" 2>/dev/null || fail "formes.txt holds no shape named rect"
xdotool key Escape
wait_for 5 as_idle left || fail "leaving the saved workshop did not give back the idle screen"

log "the code pasted into a new drawing"
xdotool key F6
xdotool key ctrl+v
wait_px pasted "$(cell_x 7)" "$(cell_y 7)" "$WOOD" || fail "the pasted code drew no shape"
label_of pasted
same_label chosen pasted || fail "the pasted shape's label differs from the drawn one's"
xdotool key Escape
await_dialog "leaving an unsaved drawing asked nothing" && wclick 69 140 1 "$DLG"
wait_for 5 as_idle left-pasted || fail "OUI did not leave the workshop as the idle screen was"

log "F4: the shape found and played"
xdotool key F4
await_dialog "F4 opened no chooser" && {
    CHOOSER=$DLG
    xdotool key End
    sleep 0.5
    shot before "$CHOOSER"
    crop "$SHOT.png" $((SX + 240)) $((SY + 84)) 90 18 "$E2E_TMP/time-before.png"
    xdotool key Return
}
wait_for 5 dialog_gone || fail "Enter did not play the chosen shape"
wait_px playing "$(cell_x 6)" "$(cell_y 5)" "$WOOD" || fail "the rectangle is not in play"
# The two-move tiling: I and V as in the tray, L turned twice, N mirrored.
for move in 0::6:7 11::8:6 2:Return,Return:7:7 3:space:8:8; do
    IFS=: read -r p keys c r <<<"$move"
    wclick "$(tray_cell_x "$p")" "$(tray_cell_y "$p")"
    [ -n "$keys" ] && xdotool key ${keys//,/ }
    sleep 0.2
    wclick "$(cell_x "$c")" "$(cell_y "$r")"
done
wait_for 30 area_idle won || fail "the rectangle was not won (see won.png)"
xdotool key F4
await_dialog "F4 opened no chooser after the victory" && {
    xdotool key End
    sleep 0.5
    shot after "$DLG"
    crop "$SHOT.png" $((SX + 240)) $((SY + 84)) 90 18 "$E2E_TMP/time-after.png"
    [ "$(diff_pixels "$E2E_TMP/time-before.png" "$E2E_TMP/time-after.png")" != 0 ] ||
        fail "the chooser shows no best time for rect after its victory"
    xdotool key Escape
}
finish
