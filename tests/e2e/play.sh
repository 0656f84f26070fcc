#!/bin/bash
# End-to-end journey: the real program played with the pointer and the keyboard.
# SPDX-License-Identifier: GPL-3.0-or-later
# The real program under Xvfb, played with the pointer and the keyboard: the
# shaped window and its first screen, the head following the pointer, the
# menu lit under it, a level of our own (pick up, turn by key and by the
# right button, drop, mirror, put back, F2's verdict, abandon with the I on
# the board), the quit dialog answered NON, the hidden word typed, SIGTERM.
. "$(dirname "$0")/lib.sh"
BIN=${1:?usage: play.sh [--wm] TESSALOR_BINARY ASSET_TOOL} TOOL=${2:?usage}
skip_unless_x_tools

three_piece_game "$BIN" "$TOOL"

start_screen
# The head keeps its first frame while the pointer rests where the program
# believes it was last: the screen origin.
xdotool mousemove 0 0
start_game "$GAME_DIR/tessalor"
expect_eq "main window size" "$(window_size "$WID")" "720x488"
window_pos "$WID"
[ -z "$WM" ] && expect_eq "main window centred on the screen" "$WX,$WY" "152,140"
[ -d "$E2E_TMP/xdg/kvtscore/tessa2002" ] || fail "no save folder under \$XDG_DATA_HOME after start"
sleep 0.5  # past the first clock tick
shot start
START=$SHOT.png START_RGB=$SHOT.rgb START_X=$SX START_Y=$SY
# The outline: the root shows through the cut corners only.
for p in 2,2 717,2 717,437 2,485 549,485 600,470 719,487 560,450; do
    expect_px "start: cut corner" "${p%,*}" "${p#*,}" "$ROOT_COLOUR"
done
for p in 60,60 360,430 24,24 696,24 24,464 528,464 700,420 360,2; do
    expect_not_px "start: inside the outline" "${p%,*}" "${p#*,}" "$ROOT_COLOUR"
done
n=$(region_diff head-frame0 48 416 80 64 "$HEAD_SHEET")
[ "$n" = 0 ] || fail "start: the head differs from its frame 0 in $n pixels"

# Start-shot pixel at a window point: what the background shows there.
start_px() { rgb_px "$START_RGB" $((START_X + $1)) $((START_Y + $2)); }
play_area_as_at_start() { shot "$1"; [ "$(region_diff area 0 24 720 384 "$START" "$START_X" $((START_Y + 24)))" = 0 ]; }
head_is() { shot "$1"; [ "$(region_diff "$1" 48 416 80 64 "$HEAD_SHEET" "$2" 0)" = 0 ]; }
# Menu entry i (top edge at 260 + MENU_TOP[i]), and the last entry's pixel:
# the last entry lit stays lit when the menu opens again.
MENU_TOP=(35 60 85 10 120)
menu_entry() { wclick 460 $((260 + MENU_TOP[$1] + 10)); }
menu_is_up() { shot "$1"; case "$(px 242 381)" in "$CLR_BUTTON" | "$CLR_HOVER") return 0 ;; esac; return 1; }
open_menu() {
    wclick 360 430
    wait_for 5 menu_is_up "$1" || fail "$1: the menu panel did not open"
}

# The head follows the pointer; a click where it does nothing gives SDL a
# fresh pointer position (Xvfb sends no raw motion for XTEST moves).
wclick 600 200
wait_for 5 head_is head-right 400 || fail "head did not turn to frame 5 for the pointer at window (600,200)"

log "menu"
open_menu menu
wmove 460 280
wait_px menu-hover 242 271 "$CLR_HOVER" || fail "entry 3 not lit under the pointer"
expect_px "entry 0 while 3 is lit" 242 296 "$CLR_BUTTON"

# ---- a level: pick up, turn, drop, mirror, put back ---------------------------
log "random shape"
menu_entry 3
wait_px level "$(cell_x 7)" "$(cell_y 7)" "$WOOD" || fail "no wooden shape cell after 'Jouer avec une forme au hasard'"
wclick 676 180
wmove 360 144
wait_px held 360 144 "$RED" || fail "the held I is not drawn under the pointer"
expect_px "tray hole where the I was" 676 180 "$SILHOUETTE"
expect_px "held I, two cells down" 360 192 "$RED"
expect_px "held I, nothing two cells left" 312 144 "$(start_px 312 144)"
xdotool key Return
wait_px turned 312 144 "$RED" || fail "Enter did not turn the held I"
expect_px "turned I, nothing two cells up" 360 96 "$(start_px 360 96)"
xdotool click 3
wait_px turned-back 360 96 "$RED" || fail "the right button did not turn the held I back"
wclick "$(cell_x 7)" "$(cell_y 7)"
wait_px dropped "$(cell_x 7)" "$(cell_y 5)" "$RED" || fail "the I was not dropped on column 7"
# Space mirrors the held L: its foot moves from the left of the stem to the right.
wclick 652 60
wmove 360 144
wait_px held-l 336 96 "$YELLOW" || fail "the held L is not drawn with its foot left of the stem"
xdotool key space
wait_px mirrored 384 96 "$YELLOW" || fail "Space did not mirror the held L"
expect_px "mirrored L, nothing left of the stem" 336 96 "$(start_px 336 96)"
wclick 620 300
wait_px put-back 652 60 "$YELLOW" || fail "a click beside the board did not put the L back"

# ---- F2: the verdict in an alert (its marks: the hint unit tests) ------------
log "hint"
wmove 300 300
xdotool key F2
if await_dialog "no verdict dialog after F2"; then
    wclick 128 140 1 "$DLG"  # Ok
    wait_for 5 dialog_gone || fail "Ok did not close the verdict dialog"
fi

# ---- abandon: the sad face, clicks meanwhile ignored, the I cleared ---------
log "abandon"
open_menu menu-playing
menu_entry 2
wait_for 3 head_is sad 720 || fail "no sad face after Abandonner"
wclick 360 430
wait_for 8 play_area_as_at_start abandoned || fail "the board was not cleared after Abandonner"
sleep 0.3
shot after-abandon
expect_px "a Menu click while the sad face showed: menu closed" 242 381 "$(start_px 242 381)"

# ---- quit answered NON: a shaped dialog over the main window --------------------
log "dialogs"
wmove 700 300
shot before-dialog
BEFORE=$SHOT.png
open_menu menu-quit
menu_entry 4
if await_dialog "no quit dialog"; then
    window_pos "$DLG"
    DX=$WX DY=$WY
    window_pos "$WID"
    expect_eq "quit dialog size" "$(window_size "$DLG")" "257x181"
    expect_eq "quit dialog centred over the main window" "$((DX - WX)),$((DY - WY))" "231,153"
    sleep 0.3
    shot dialog "$DLG"
    expect_px "OUI button" 27 133 "$CLR_BUTTON"
    expect_px "dialog cut corner shows the main window" 1 1 "$(rgb_px "$START_RGB" $((DX + 1)) $((DY + 1)))"
    wclick 360 430  # the main window takes no input meanwhile
    wclick 183 140 1 "$DLG"
    wait_for 5 dialog_gone || fail "NON did not close the dialog"
    game_exited && fail "the game ended after NON"
    wmove 700 300
    sleep 0.3
    shot after-non
    n=$(region_diff after-non 0 0 720 408 "$BEFORE" "$WX" "$WY")
    [ "$n" = 0 ] || fail "after NON the window differs from before the dialog in $n pixels"
fi

# ---- the hidden word, typed in the window -------------------------------------
# It takes the text-input path; from the next level on every empty cell shows
# a cross in the colour of the piece that covers it in the solution.
log "hidden word"
xdotool type --delay 80 vazmek
sleep 0.3
open_menu menu-word
menu_entry 3
wait_px solution "$(cell_x 7)" "$(cell_y 7)" "$RED" || fail "no solution mark at (7,7) after typing the word"
cells_are "solution mark of the I" "$RED" $I_CELLS
cells_are "solution mark of the X" "$ORANGE" $X_CELLS
cells_are "solution mark of the L" "$YELLOW" $L_CELLS
expect_not_px "solution mark: wood beside the cross" $(($(cell_x 7) - 10)) "$(cell_y 7)" "$RED"

# ---- SIGTERM during a level: a clean exit -------------------------------------
kill -TERM "$GAME_PID"
status=$(wait_game_exit 10) || die "the game still ran 10 s after SIGTERM"
expect_eq "exit status after SIGTERM during a level" "$status" 0
GAME_PID=
finish
