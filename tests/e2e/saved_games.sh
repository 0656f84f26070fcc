#!/bin/bash
# A saved game across two runs of the real program under Xvfb: named in the
# naming dialog, its first level solved with the pointer, the program quit
# with OUI and started again, the game resumed from the chooser, then
# abandoned and deleted there with the keypad's Delete.
# SPDX-License-Identifier: GPL-3.0-or-later
. "$(dirname "$0")/lib.sh"
BIN=${1:?usage: saved_games.sh TESSALOR_BINARY ASSET_TOOL} TOOL=${2:?usage}
skip_unless_x_tools

make_reference_art "$TOOL"

# Forty levels, each a vertical I: level 0 at column 7, every other one at
# column 3, so the board tells which level is in play.
records=("$(level_record 0:7:5 0:7:6 0:7:7 0:7:8 0:7:9)")
for ((i = 1; i < 40; i++)); do records+=("$(level_record 0:3:5 0:3:6 0:3:7 0:3:8 0:3:9)"); done
make_game_dir "$BIN" "${records[@]}"
SAVE=$E2E_TMP/xdg/kvtscore/tessa2002
GAME=$SAVE/ma\ partie.pnt
# The bytes of a game file whose first $1 levels are solved.
progress() { for ((i = 0; i < 40; i++)); do [ $i -lt "$1" ] && printf '#TRUE#\r\n' || printf '#FALSE#\r\n'; done | od -An -tx1 | tr -d ' \n'; }
bytes_of() { od -An -tx1 "$1" 2>/dev/null | tr -d ' \n'; }
file_is() { [ "$(bytes_of "$GAME")" = "$1" ]; }

menu_command() {
    wclick 360 430
    sleep 0.3
    wclick 460 $((260 + $1 + 10))
}
NEW=35 LOAD=60 ABANDON=85 QUIT=120

start_screen
xdotool mousemove 5 5

# ---- first run: a new game ---------------------------------------------------
log "new game"
start_game "$GAME_DIR/tessalor" first
menu_command $NEW
await_dialog "no naming dialog after 'Nouvelle partie'" || exit 1
sleep 0.3
xdotool type --delay 60 '  Ma Partie  '
wclick $((84 + 44)) $((130 + 9)) 1 "$DLG"
wait_for 5 dialog_gone || fail "the naming dialog stayed open after Ok"
wait_for 5 file_is "$(progress 0)" || die "no new game 'ma partie.pnt' in $SAVE: $(ls "$SAVE")"
wait_px level0 "$(cell_x 7)" "$(cell_y 7)" "$WOOD" || fail "level 0 did not start"

log "solve level 0"
wclick 676 180
wmove "$(cell_x 8)" "$(cell_y 6)"
wclick "$(cell_x 7)" "$(cell_y 7)"
wait_px i-placed "$(cell_x 7)" "$(cell_y 9)" "$RED" || fail "the I was not placed"
wait_for 10 file_is "$(progress 1)" ||
    fail "after the victory the file is $(bytes_of "$GAME")"
wait_px level1 "$(cell_x 3)" "$(cell_y 7)" "$WOOD" || fail "level 1 did not follow"

log "quit"
menu_command $QUIT
await_dialog "no quit dialog" || exit 1
wclick 69 140 1 "$DLG"
status=$(wait_game_exit 10) || die "the game still ran after OUI"
expect_eq "exit status" "$status" 0
GAME_PID=
expect_eq "file after quitting in a level" "$(bytes_of "$GAME")" "$(progress 1)"

# ---- second run: resume, then delete -------------------------------------------
log "load"
start_game "$GAME_DIR/tessalor" second
menu_command $LOAD
await_dialog "no chooser after 'Charger une partie'" || exit 1
sleep 0.3
wclick $((21 + 44)) $((147 + 9)) 1 "$DLG"
wait_px resumed "$(cell_x 3)" "$(cell_y 7)" "$WOOD" || fail "'Ok' did not resume at level 1"

log "delete"
menu_command $ABANDON
sleep 4
menu_command $LOAD
await_dialog "no chooser after abandoning" || exit 1
CHOOSER=$DLG
sleep 0.3
# The keypad's Delete, NumLock off, asks; OUI deletes.
xdotool key KP_Delete
wait_for 5 bash -c "[ \$(xdotool search --onlyvisible --name '^Tessalor\$' | wc -l) -ge 3 ]" ||
    die "the keypad's Delete asked nothing"
QUESTION=$(tessalor_windows | grep -vx "$WID" | grep -vx "$CHOOSER" | head -n1)
wclick $((25 + 44)) $((131 + 9)) 1 "$QUESTION"
wait_for 5 test ! -e "$GAME" || fail "OUI did not delete the game"
wait_px emptied 30 37 "$CLR_BUTTON" "$CHOOSER" || fail "the deleted game stays in the list"
wclick $((144 + 44)) $((147 + 9)) 1 "$CHOOSER"
wait_for 5 dialog_gone || fail "Annuler did not close the chooser"
finish
