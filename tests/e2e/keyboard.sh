#!/bin/bash
# The real program under Xvfb in keyboard mode, with no pointer event at all:
# SPDX-License-Identifier: GPL-3.0-or-later
# F10 and the arrows start a random shape of our own, PgDn takes a piece, the
# arrows move it, Delete puts it back; the level solved by PgDn, arrows and
# Insert. The dialogs' keys: the key tests; quitting with OUI: saved_games.sh.
. "$(dirname "$0")/lib.sh"
BIN=${1:?usage: keyboard.sh TESSALOR_BINARY ASSET_TOOL} TOOL=${2:?usage}
skip_unless_x_tools

three_piece_game "$BIN" "$TOOL"

start_screen
export TESSALOR_CLAVIER=1
start_game "$GAME_DIR/tessalor"
keys() { xdotool key --delay 60 "$@"; }

log "random shape"
keys F10 Up Return
wait_px level "$(cell_x 7)" "$(cell_y 7)" "$WOOD" || die "no wooden shape cell after F10, Up, Enter"
keys Next Left Left
wait_px taken "$(tray_cell_x 0)" "$(tray_cell_y 0)" "$SILHOUETTE" || fail "PgDn: the I's tray slot is no silhouette"
expect_px "the held I two cells left" 628 "$(tray_cell_y 0)" "$RED"
keys Delete
wait_px put-back "$(tray_cell_x 0)" "$(tray_cell_y 0)" "$RED" || fail "Delete did not put the I back"

# Each piece: PgDn takes the first one in the tray; the hand goes to the
# play area's corner, then right and down to the cell the drop centres on.
log "solve"
place() {
    keys Next $(printf 'shift+Left %.0s' 1 2 3 4 5 6 7 8) $(printf 'shift+Up %.0s' 1 2 3 4)
    keys $(printf 'Right %.0s' $(seq "$1")) $(printf 'Down %.0s' $(seq "$2")) Insert
}
place 14 7
wait_px dropped-i "$(cell_x 7)" "$(cell_y 5)" "$RED" || fail "the I was not dropped on column 7"
cells_are "I by keys" "$RED" $I_CELLS
place 10 12
wait_px dropped-x "$(cell_x 3)" "$(cell_y 12)" "$ORANGE" || fail "the X was not dropped on (3,12)"
cells_are "X by keys" "$ORANGE" $X_CELLS
place 19 8
wait_px dropped-l "$(cell_x 12)" "$(cell_y 9)" "$YELLOW" || fail "the L was not dropped on column 12"
cells_are "L by keys" "$YELLOW" $L_CELLS
finish
