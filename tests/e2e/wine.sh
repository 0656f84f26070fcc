#!/usr/bin/env bash
# End-to-end journey: the Windows build under Wine, in a real window.
# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows build under Wine, in a real window: its cut corners show the
# root with no fringe, a drag moves it exactly, a random shape starts from the menu by
# clicks, a piece is taken and dropped, Aide hands the help page to the
# desktop, a second copy leaves at once, OUI to the quit question ends it
# with status 0. A second run, at
# --scale 2 under openbox, makes a saved game through the naming dialog, from
# the keyboard, finds its file on Wine's C: drive (names are kept in lower
# case), drags the window again and moves the pointer with the arrows.
# Usage: wine.sh BUILD_DIR (the Windows build, its Wine prefix in BUILD_DIR/wine)
. "$(dirname "$0")/lib.sh"
skip_unless_x_tools
command -v wine >/dev/null || { echo "SKIP [$E2E_NAME]: wine is not installed"; exit 77; }
BUILD=$(cd "$1" && pwd)
export WINEPREFIX=${WINEPREFIX:-$BUILD/wine} WINEDEBUG=-all
# Killing the wrapper leaves the Windows process to Wine: end them all.
trap 'rc=$?; wineserver -k >/dev/null 2>&1; (exit $rc); e2e_cleanup' EXIT
wineserver -k >/dev/null 2>&1
mkdir -p "$E2E_TMP/bin"
printf '#!/bin/sh\nprintf "%%s\\n" "$@" >>"%s"\n' "$E2E_TMP/opened" >"$E2E_TMP/bin/xdg-open"
chmod +x "$E2E_TMP/bin/xdg-open"
export PATH=$E2E_TMP/bin:$PATH
E2E_SCREEN_W=1920 E2E_SCREEN_H=1200
start_screen
# A fresh prefix without its HTML engine maps no program to .htm, as Windows
# always does; with one, the page goes to Wine's browser, which hands it to
# xdg-open. Only once the screen is up: Wine's desktop process starts here.
wine reg add 'HKCR\.htm' /ve /d htmlfile /f >/dev/null 2>&1
# The game beside its DLLs and a pack of one shape: the I, the X and the L.
make_game_dir "$BUILD/tessalor.exe" "$(level_record 0:7:5 0:7:6 0:7:7 0:7:8 0:7:9 \
    1:3:11 1:2:12 1:3:12 1:4:12 1:3:13 2:11:6 2:12:6 2:12:7 2:12:8 2:12:9)"
mv "$GAME_DIR/tessalor" "$GAME_DIR/tessalor.exe"
cp "$BUILD"/*.dll "$BUILD"/*.ttf "$GAME_DIR/"
printf '#!/bin/sh\nexec wine "%s" "$@"\n' "$GAME_DIR/tessalor.exe" >"$E2E_TMP/tessalor"
chmod +x "$E2E_TMP/tessalor"
# Keys one at a time, as a hand presses them.
keys() { local k; for k; do xdotool key "$k"; sleep 0.3; done; }
saves=$WINEPREFIX/drive_c/kvtscore/tessa2002
rm -f "$saves"/wine.pnt

start_game "$E2E_TMP/tessalor"
shot start
expect_px "cut corner" 1 1 "$ROOT_COLOUR"
expect_px "no fringe below the body" 600 440 "$ROOT_COLOUR"
S=1 drag_strip "a drag under Wine" 5 20 12
# Menu, then its first entry: a random shape.
wclick 360 430
sleep 1
wclick 360 280
sleep 1.5
shot level
piece=$(px 123 86)
wmove 200 150
wmove 123 86
xdotool click 1
sleep 0.5
shot taken
expect_not_px "the X left its slot" 123 86 "$piece"
# Held by its middle square, dropped with that square on cell (3,12).
wmove 200 200
wmove "$(cell_x 3)" "$(cell_y 12)"
xdotool click 1
sleep 0.5
wmove 400 300
sleep 0.5
shot dropped
expect_px "the X on the board" "$(cell_x 3)" "$(cell_y 12)" "$piece"
wclick 292 464
wait_for 10 grep -qx "file://$GAME_DIR/aidetessalor/aide.htm" "$E2E_TMP/opened" 2>/dev/null ||
    fail "Aide did not hand the help page to the desktop: $(cat "$E2E_TMP/opened" 2>/dev/null)"
expect_eq "a second copy: status" "$(TESSALOR_LOCK_FILE=$E2E_TMP/lock timeout 30 wine "$GAME_DIR/tessalor.exe"; echo $?)" 0
expect_eq "a second copy: no window of its own" "$(tessalor_windows | wc -l)" 1
# Quitter is the second entry during a shape; Left lights OUI.
keys F10 Down Return
await_dialog "no quit question" && keys Left Return
# Wine takes some seconds to end a process whose last window closed.
expect_eq "exit status after OUI" "$(wait_game_exit 40)" 0

# The shipped packs this time: a saved game has a line for each of their levels.
# Under openbox, the drag again.
start_wm
printf '#!/bin/sh\nexec wine "%s" --scale 2\n' "$BUILD/tessalor.exe" >"$E2E_TMP/tessalor"
TESSALOR_CLAVIER=1 start_game "$E2E_TMP/tessalor" second
expect_eq "window size at --scale 2" "$(window_size "$WID")" "1440x976"
keys F10 Return
await_dialog "no naming dialog" && { xdotool type --delay 80 Wine; keys Return; }
wait_for 10 test -f "$saves/wine.pnt" || fail "no wine.pnt in $saves"
sleep 1.5
want=$(for ((i = 0; i < 40; i++)); do printf '#FALSE#\r\n'; done | od -An -tx1 | tr -d ' \n')
expect_eq "the new saved game" "$(od -An -tx1 "$saves/wine.pnt" 2>/dev/null | tr -d ' \n')" "$want"
S=2 drag_strip "a drag under Wine and openbox" 5 20 12
# The arrows move the real pointer with the hand: a cell is 48 pixels here.
keys Right && eval "$(xdotool getmouselocation --shell)" && x1=$X y1=$Y
keys Left && eval "$(xdotool getmouselocation --shell)"
expect_eq "the pointer after Right, Left" "$((x1 - X)),$((y1 - Y))" "48,0"
# A second copy brings the running game back from the task bar, focused.
xdotool windowminimize "$WID"
wait_for 5 sh -c '[ "$(xdotool getwindowfocus)" != "$0" ]' "$WID" || fail "the game kept the focus when minimised"
expect_eq "a second copy under openbox: status" "$(TESSALOR_LOCK_FILE=$E2E_TMP/lock timeout 30 wine "$BUILD/tessalor.exe"; echo $?)" 0
wait_for 10 sh -c '[ "$(xdotool getwindowfocus)" = "$0" ]' "$WID" || fail "a second copy did not bring the game back"
keys F10 Up Return
await_dialog "no quit question" && keys Left Return
expect_eq "exit status of the second run" "$(wait_game_exit 40)" 0
finish
