#!/bin/bash
# The real program under Xvfb, played with the pointer and the keyboard:
# the menu, a level of our own (pick up, drag, turn, mirror, drop, take back,
# abandon, solve), the quit dialog, the about box, the drag strip; then a
# level from the shipped packs.
# Usage: play.sh [--wm] TESSALOR_BINARY ASSET_TOOL   (--wm: under openbox)
here=$(cd "$(dirname "$0")" && pwd)
WM=
if [ "${1:-}" = --wm ]; then
    WM=1
    shift
fi
[ -n "$WM" ] && E2E_NAME=play-wm
. "$here/lib.sh"

BIN=${1:?usage: play.sh [--wm] TESSALOR_BINARY ASSET_TOOL}
TOOL=${2:?usage: play.sh [--wm] TESSALOR_BINARY ASSET_TOOL}
skip_unless_tools Xvfb xdotool xsetroot xdpyinfo xprop import convert compare
[ -n "$WM" ] && skip_unless_tools openbox

CLR_BUTTON=109410
CLR_HOVER=00ff00
DIALOG_BACK=002a00
FRAME_GREEN=00c600
MENU_TOP=(35 60 85 10 120)

make_reference_art "$TOOL"
RED=$(tile_centre 0)
ORANGE=$(tile_centre 1)
YELLOW=$(tile_centre 2)
WOOD=$(tile_centre 16)
SILHOUETTE=$(tile_centre 13)

# One level, three pieces: a vertical I at column 7, rows 5-9, an X
# centred on (3,12) and an L as drawn in the tray, its box centre on (12,8).
# Only one record, so "a random shape" is this one.
I_CELLS="7:5 7:6 7:7 7:8 7:9"
X_CELLS="3:11 2:12 3:12 4:12 3:13"
L_CELLS="11:6 12:6 12:7 12:8 12:9"
make_game_dir "$BIN"
write_pack "$GAME_DIR/tessa320.dat" \
    "$(level_record $(for c in $I_CELLS; do echo 0:$c; done) $(for c in $X_CELLS; do echo 1:$c; done) \
        $(for c in $L_CELLS; do echo 2:$c; done))"

start_xvfb
[ -n "$WM" ] && start_openbox
xdotool mousemove 5 5
start_game "$GAME_DIR/tessalor"
sleep 0.4
shot start
expect_outline "start"
START=$SHOT.png
START_RGB=$SHOT.rgb
START_X=$SX
START_Y=$SY

# The play area of the last shot against the one at start (empty board,
# twelve pieces in the tray).
play_area_as_at_start() {
    shot "$1"
    crop "$SHOT.png" "$SX" $((SY + 24)) 720 384 "$E2E_TMP/area.got.png"
    crop "$START" "$START_X" $((START_Y + 24)) 720 384 "$E2E_TMP/area.want.png"
    [ "$(diff_pixels "$E2E_TMP/area.got.png" "$E2E_TMP/area.want.png")" = 0 ]
}

# Start-shot pixel at a window point: what the background shows there.
start_px() { rgb_px "$START_RGB" $((START_X + $1)) $((START_Y + $2)); }

dialog_up() { [ -n "$(dialog_window)" ]; }
dialog_gone() { [ -z "$(dialog_window)" ]; }

# Polls screenshots until window pixel (X,Y) has colour C.
px_is() {
    shot "$1"
    [ "$(px "$2" "$3")" = "$4" ]
}
wait_px() {
    wait_for "${5:-5}" px_is "$@"
}

head_is() {
    shot "$1"
    [ "$(region_diff "$1" 48 416 80 64 "$HEAD_SHEET" "$2" 0)" = 0 ]
}

menu_entry_px() { echo $((230 + 10 + $2)) $((260 + MENU_TOP[$1] + 1)); }

# The last entry lit stays lit when the menu opens again: either colour
# shows the panel is up.
menu_is_up() {
    shot "$1"
    case "$(px $(menu_entry_px 4 2))" in "$CLR_BUTTON" | "$CLR_HOVER") return 0 ;; esac
    return 1
}
open_menu() {
    wclick 360 430
    wait_for 5 menu_is_up "$1" || fail "$1: the menu panel did not open"
}

cells_are() {
    local what=$1 colour=$2 cell
    shift 2
    for cell in "$@"; do
        expect_px "$what: board cell ($cell)" "$(cell_x "${cell%:*}")" "$(cell_y "${cell#*:}")" "$colour"
    done
}

# ---- the menu -------------------------------------------------------------
log "menu"
open_menu menu
# No level running: every entry but "Abandonner" shows, in the button colour.
for i in 0 1 3 4; do
    expect_px "menu entry $i left" $(menu_entry_px $i 2) "$CLR_BUTTON"
    expect_px "menu entry $i right" $(menu_entry_px $i 240) "$CLR_BUTTON"
done
expect_not_px "hidden menu entry 2 (Abandonner)" $(menu_entry_px 2 2) "$CLR_BUTTON"
# The entry under the pointer lights up, and only that one.
wmove 460 $((260 + 10 + 10))
wait_px menu-hover3 $(menu_entry_px 3 2) "$CLR_HOVER" || fail "entry 3 not lit under the pointer"
expect_px "entry 0 while 3 is lit" $(menu_entry_px 0 2) "$CLR_BUTTON"
wmove 460 $((260 + 35 + 10))
wait_px menu-hover0 $(menu_entry_px 0 2) "$CLR_HOVER" || fail "entry 0 not lit under the pointer"
expect_px "entry 3 after the pointer left it" $(menu_entry_px 3 2) "$CLR_BUTTON"

# ---- a level: pick up, drag, turn, drop, take back --------------------------
log "random shape"
wclick 460 $((260 + 10 + 10))
wait_px level $(cell_x 7) $(cell_y 7) "$WOOD" || fail "no wooden shape cell at (7,7) after 'Jouer avec une forme au hasard'"
cells_are "level start" "$WOOD" $I_CELLS $X_CELLS $L_CELLS
expect_px "level start: a board cell outside the shape" "$(cell_x 0)" "$(cell_y 0)" "$(start_px "$(cell_x 0)" "$(cell_y 0)")"
expect_px "level start: menu closed" $(menu_entry_px 4 2) "$(start_px $(menu_entry_px 4 2))"
expect_px "tray: I in play" "$(tray_cell_x 0)" "$(tray_cell_y 0)" "$RED"
expect_px "tray: X in play" "$(tray_cell_x 1)" "$(tray_cell_y 1)" "$ORANGE"
expect_px "tray: L in play" "$(tray_cell_x 2)" "$(tray_cell_y 2)" "$YELLOW"
for p in $(seq 3 11); do
    expect_px "tray: piece $p not in this level" "$(tray_cell_x "$p")" "$(tray_cell_y "$p")" "$SILHOUETTE"
done

# Pick the I up: its tray cells go dark, the piece follows the pointer.
wclick 676 180
wmove 360 144
wait_px held 360 144 "$RED" || fail "the held I is not drawn under the pointer at window (360,144)"
expect_px "tray hole where the I was" 676 180 "$SILHOUETTE"
# Vertical: cells above and below the pointer, none beside it.
expect_px "held I, two cells up" 360 96 "$RED"
expect_px "held I, two cells down" 360 192 "$RED"
expect_px "held I, nothing two cells left" 312 144 "$(start_px 312 144)"
# Enter turns it a quarter: now horizontal.
xdotool key Return
wait_px turned 312 144 "$RED" || fail "Enter did not turn the held I (nothing at window (312,144))"
expect_px "turned I, two cells right" 408 144 "$RED"
expect_px "turned I, nothing two cells up" 360 96 "$(start_px 360 96)"
expect_px "turned I, nothing two cells down" 360 192 "$(start_px 360 192)"
# The right button turns it back.
xdotool click 3
wait_px turned-back 360 96 "$RED" || fail "the right button did not turn the held I back"
expect_px "turned back, nothing two cells left" 312 144 "$(start_px 312 144)"

# A click on cells outside the shape drops nothing: the I stays held.
wclick "$(cell_x 12)" "$(cell_y 2)"
settle
wmove "$(cell_x 13)" "$(cell_y 3)"
wait_px still-held "$(cell_x 13)" "$(cell_y 3)" "$RED" || fail "the I was not held any more after a click on a misfit place"
cells_are "after a misfit click" "$WOOD" $I_CELLS

# Drop it on its cells: five red cells, the board not yet full.
wclick "$(cell_x 7)" "$(cell_y 7)"
wait_px dropped "$(cell_x 7)" "$(cell_y 5)" "$RED" || fail "the I was not dropped on column 7"
cells_are "dropped I" "$RED" $I_CELLS
cells_are "X cells after the drop" "$WOOD" $X_CELLS
expect_px "tray hole after the drop" 676 180 "$SILHOUETTE"
expect_px "held copy gone from (13,3)" "$(cell_x 13)" "$(cell_y 3)" "$(start_px "$(cell_x 13)" "$(cell_y 3)")"
# The board is not full: no victory face.
[ "$(region_diff head-no-victory 48 416 80 64 "$HEAD_SHEET" 640 0)" != 0 ] ||
    fail "the victory face shows with the X still in the tray"

# A click on the placed I sends it back to the tray.
wclick "$(cell_x 7)" "$(cell_y 6)"
wait_px taken-back 676 180 "$RED" || fail "the I did not go back to the tray"
cells_are "after taking the I back" "$WOOD" $I_CELLS

# Space mirrors the held L: its foot moves from the left of the stem to the
# right. In the tray its box is at window (616,48): foot at column 1, row 0,
# stem in column 2.
wclick 652 60
wmove 360 144
wait_px held-l 360 144 "$YELLOW" || fail "the held L is not drawn under the pointer at window (360,144)"
expect_px "held L, foot left of the stem" 336 96 "$YELLOW"
expect_px "held L, nothing right of the stem" 384 96 "$(start_px 384 96)"
xdotool key space
wait_px mirrored 384 96 "$YELLOW" || fail "Space did not mirror the held L (nothing at window (384,96))"
expect_px "mirrored L, nothing left of the stem" 336 96 "$(start_px 336 96)"
expect_px "mirrored L, stem bottom" 360 168 "$YELLOW"
# Put back beside the board: in the tray as drawn there, board unchanged.
wclick 620 300
wait_px put-back 652 60 "$YELLOW" || fail "a click beside the board did not put the L back in the tray"
expect_px "put back L: stem top in the tray" 676 60 "$YELLOW"
expect_px "put back L: not mirrored in the tray" 700 60 "$(start_px 700 60)"
expect_px "nothing left where the L was put back" 600 300 "$(start_px 600 300)"
expect_px "nothing left where the L was mirrored" 384 96 "$(start_px 384 96)"
cells_are "after the put back" "$WOOD" $I_CELLS $L_CELLS

# ---- abandon --------------------------------------------------------------
log "abandon"
open_menu menu-playing
expect_px "menu during a level: Abandonner" $(menu_entry_px 2 2) "$CLR_BUTTON"
expect_px "menu during a level: Quitter" $(menu_entry_px 4 2) "$CLR_BUTTON"
for i in 0 1 3; do
    expect_not_px "menu during a level: entry $i hidden" $(menu_entry_px $i 2) "$CLR_BUTTON"
done
wclick 460 $((260 + 85 + 10))
wait_for 3 head_is sad 720 || fail "no sad face after Abandonner"
# The window is disabled meanwhile: the Menu button does nothing.
wclick 360 430
sleep 0.3
shot sad-menu
expect_px "Menu clicked during the sad face" $(menu_entry_px 4 2) "$(start_px $(menu_entry_px 4 2))"
wait_for 8 play_area_as_at_start abandoned || fail "the board was not cleared and the tray refilled after Abandonner"
# No menu opened late from the click made while disabled.
sleep 0.3
shot after-abandon
expect_px "menu after the sad face" $(menu_entry_px 4 2) "$(start_px $(menu_entry_px 4 2))"

# ---- solving the level -----------------------------------------------------
log "victory"
open_menu menu-again
wclick 460 $((260 + 10 + 10))
wait_px level-again $(cell_x 7) $(cell_y 7) "$WOOD" || fail "the level did not start again"
wclick 676 180
wmove "$(cell_x 8)" "$(cell_y 6)"
wclick "$(cell_x 7)" "$(cell_y 7)"
wait_px i-placed "$(cell_x 7)" "$(cell_y 9)" "$RED" || fail "the I was not placed"
wclick "$(tray_cell_x 1)" "$(tray_cell_y 1)"
wmove "$(cell_x 5)" "$(cell_y 10)"
wclick "$(cell_x 3)" "$(cell_y 12)"
wait_px x-placed "$(cell_x 3)" "$(cell_y 13)" "$ORANGE" || fail "the X was not placed"
[ "$(region_diff head-two-placed 48 416 80 64 "$HEAD_SHEET" 640 0)" != 0 ] ||
    fail "the victory face shows with the L still in the tray"
wclick "$(tray_cell_x 2)" "$(tray_cell_y 2)"
wmove "$(cell_x 11)" "$(cell_y 9)"
wclick "$(cell_x 12)" "$(cell_y 8)"
wait_for 3 head_is victory 640 || fail "no victory face after the last piece"
cells_are "solved board" "$RED" $I_CELLS
cells_are "solved board" "$ORANGE" $X_CELLS
cells_are "solved board" "$YELLOW" $L_CELLS
# The victory face holds for 1.6 s, then a 3 s pause: the board stays.
wait_for 10 play_area_as_at_start solved || fail "the board was not cleared after the victory"

# ---- quit, answered NON ----------------------------------------------------
log "quit dialog"
wmove 700 300
shot before-dialog
BEFORE=$SHOT.png
BEFORE_RGB=$SHOT.rgb
open_menu menu-quit
wclick 460 $((260 + 120 + 10))
wait_for 5 dialog_up || fail "no quit dialog"
DLG=$(dialog_window)
if [ -n "$DLG" ]; then
    window_pos "$DLG"
    DX=$WX
    DY=$WY
    window_pos "$WID"
    expect_eq "quit dialog size" "$(xdotool getwindowgeometry "$DLG" | sed -n 's/.*Geometry: //p')" "257x181"
    expect_eq "quit dialog centred over the main window" "$((DX - WX)),$((DY - WY))" "$(((720 - 257) / 2)),$(((488 - 181) / 2))"
    sleep 0.3
    shot dialog "$DLG"
    expect_px "dialog frame" 128 1 "$FRAME_GREEN"
    expect_px "dialog background" 128 20 "$DIALOG_BACK"
    expect_px "OUI button" 27 133 "$CLR_BUTTON"
    expect_px "NON button" 225 133 "$CLR_BUTTON"
    # The cut corners show what lies below: the main window as it was.
    for p in 1,1 255,1 1,179 255,179; do
        x=${p%,*}
        y=${p#*,}
        under=$(rgb_px "$BEFORE_RGB" $((DX + x)) $((DY + y)))
        expect_px "dialog cut corner shows the window below" "$x" "$y" "$under"
        [ "$under" != "$DIALOG_BACK" ] && [ "$under" != "$FRAME_GREEN" ] ||
            fail "the window below the dialog corner ($x,$y) has the dialog's own colour: cannot tell"
    done
    # While it is up the main window takes no input.
    wclick 360 430
    sleep 0.4
    shot dialog-menu-click
    expect_px "Menu clicked under the dialog" $(menu_entry_px 4 2) "$(start_px $(menu_entry_px 4 2))"
    # NON closes it; the game goes on.
    wclick 183 140 1 "$DLG"
    wait_for 5 dialog_gone || fail "NON did not close the dialog"
    game_exited && fail "the game ended after NON"
    expect_eq "windows after NON" "$(count_windows)" 1
    wmove 700 300
    sleep 0.3
    shot after-non
    expect_region after-non 0 0 720 408 "$BEFORE" "$WX" "$WY"
    expect_px "no menu opened after the dialog" $(menu_entry_px 4 2) "$(start_px $(menu_entry_px 4 2))"
fi

# ---- about box -------------------------------------------------------------
log "about box"
wclick 429 464
wait_for 5 dialog_up || fail "no about box after À propos"
DLG=$(dialog_window)
if [ -n "$DLG" ]; then
    expect_eq "about box size" "$(xdotool getwindowgeometry "$DLG" | sed -n 's/.*Geometry: //p')" "257x181"
    sleep 0.3
    shot about "$DLG"
    expect_px "about box X button" 230 11 "$CLR_BUTTON"
    wclick 237 18 1 "$DLG"
    wait_for 5 dialog_gone || fail "the X did not close the about box"
    game_exited && fail "the game ended after closing the about box"
    wmove 700 300
    sleep 0.3
    shot after-about
    expect_region after-about 0 0 720 408 "$BEFORE" "$WX" "$WY"
fi

# ---- the drag strip ----------------------------------------------------------
# The window follows the pointer from the press on: two moves take it by the
# whole way the pointer went.
log "drag strip"
window_pos "$WID"
X0=$WX
Y0=$WY
wmove 300 10
xdotool mousedown 1
pointer_to $((X0 + 305)) $((Y0 + 12))
pointer_to $((X0 + 400)) $((Y0 + 60))
xdotool mouseup 1
moved() { window_pos "$WID"; [ "$WX,$WY" = "$((X0 + 100)),$((Y0 + 50))" ]; }
wait_for 5 moved || fail "the drag strip moved the window from ($X0,$Y0) to ($WX,$WY), expected ($((X0 + 100)),$((Y0 + 50)))"
wmove 700 300
sleep 0.3
shot moved
expect_outline "moved window"
expect_region moved-content 0 0 720 408 "$BEFORE" "$X0" "$Y0"
# Where the window was, the root shows now.
expect_eq "screen where the window's corner was" "$(spx $((X0 + 60)) $((Y0 + 60)))" "$ROOT_COLOUR"

# ---- quit, answered OUI ----------------------------------------------------
log "quit"
open_menu menu-quit2
wclick 460 $((260 + 120 + 10))
wait_for 5 dialog_up || fail "no quit dialog the second time"
DLG=$(dialog_window)
if [ -n "$DLG" ]; then
    wclick 69 140 1 "$DLG"
    if status=$(wait_game_exit 10); then
        expect_eq "exit status after OUI" "$status" 0
        GAME_PID=
    else
        fail "the game still ran 10 s after OUI"
    fi
fi
expect_eq "windows after OUI" "$(count_windows)" 0

# ---- the shipped packs -------------------------------------------------------
# A random level: as many wooden cells as five times the pieces in play.
log "shipped levels"
start_game "$BIN" shipped
sleep 0.3
shot shipped-start
START=$SHOT.png
START_RGB=$SHOT.rgb
START_X=$SX
START_Y=$SY
open_menu shipped-menu
wclick 460 $((260 + 10 + 10))
wood_on_board() {
    shot shipped-level
    local c r
    WOOD_CELLS=0
    for ((r = 0; r < 16; r++)); do
        for ((c = 0; c < 16; c++)); do
            [ "$(px "$(cell_x $c)" "$(cell_y $r)")" = "$WOOD" ] && WOOD_CELLS=$((WOOD_CELLS + 1))
        done
    done
    [ "$WOOD_CELLS" -gt 0 ]
}
wait_for 5 wood_on_board || fail "no wooden cells on the board after starting a shipped level"
in_play=0
for p in $(seq 0 11); do
    got=$(px "$(tray_cell_x "$p")" "$(tray_cell_y "$p")")
    if [ "$got" = "$(tile_centre "$p")" ]; then
        in_play=$((in_play + 1))
    elif [ "$got" != "$SILHOUETTE" ]; then
        fail "shipped level: tray piece $p is #$got, neither its colour nor a silhouette"
    fi
done
expect_eq "shipped level: wooden cells" "$WOOD_CELLS" $((5 * in_play))
log "shipped level: $in_play pieces, $WOOD_CELLS cells"
kill -TERM "$GAME_PID"
if status=$(wait_game_exit 10); then
    expect_eq "exit status after SIGTERM during a level" "$status" 0
    GAME_PID=
else
    fail "the game still ran 10 s after SIGTERM"
fi

finish
