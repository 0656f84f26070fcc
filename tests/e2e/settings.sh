#!/bin/bash
# The settings kept between runs, in the real window under Xvfb.
# SPDX-License-Identifier: GPL-3.0-or-later
# F3 opens "Réglages", the keys turn the sound off and the scale to 2, the game quits
# and starts again with them; the command line wins without being written; F11 fills
# the screen with the pointer mapped exactly, is kept, and gives the window back.
. "$(dirname "$0")/lib.sh"
BIN=${1:?usage: settings.sh TESSALOR_BINARY ASSET_TOOL} TOOL=${2:?usage}
skip_unless_x_tools
E2E_SCREEN_W=1920 E2E_SCREEN_H=1080  # room for the window at scale 2

three_piece_game "$BIN" "$TOOL"
CONF=$E2E_TMP/config/tessalor/tessalor.conf
start_screen
start_game "$GAME_DIR/tessalor" first
[ -e "$CONF" ] && fail "a settings file was written before any change"

log "F3, sound off, scale 2"
xdotool mousemove 0 0 key F3  # the pointer away: a row under it would be lit
await_dialog "F3 opened no dialog" || exit 1
xdotool key --delay 60 Down Return Down Down Down Return Return  # Son off; Taille auto, 1, 2
shot settings "$DLG"
xdotool key Escape
wait_for 5 dialog_gone || fail "Escape left the settings dialog open"
grep -qx 'sound=off' "$CONF" || fail "sound=off not kept: $(cat "$CONF" 2>&1)"
grep -qx 'scale=2' "$CONF" || fail "scale=2 not kept: $(cat "$CONF" 2>&1)"

log "quit and start again"
stop_pid "$GAME_PID"
start_game "$GAME_DIR/tessalor" second
expect_eq "window at the kept scale" "$(window_size "$WID")" "1440x976"
stop_pid "$GAME_PID"

log "the command line wins for its run only"
cp "$CONF" "$E2E_TMP/conf.before"
start_game "$GAME_DIR/tessalor" third --scale 1
expect_eq "window at --scale 1" "$(window_size "$WID")" "720x488"
stop_pid "$GAME_PID"
cmp -s "$CONF" "$E2E_TMP/conf.before" || fail "the command line's scale was written to the file"

log "a second launch raises the first"
start_game "$GAME_DIR/tessalor" fourth
# xwininfo lists the root's children from the top of the stack down.
top_window() { printf '%d' "$(xwininfo -root -children | sed -n 's/^ *\(0x[0-9a-f]*\) .*/\1/p' | head -n1)"; }
covered() { [ "$(top_window)" != "$WID" ]; }
xmessage -geometry 900x700+0+0 over 2>/dev/null &
OVER=$!
wait_for 5 covered || fail "the covering window did not go over the game"
xdotool windowfocus "$(top_window)"
XDG_DATA_HOME=$E2E_TMP/xdg XDG_CONFIG_HOME=$E2E_TMP/config TESSALOR_LOCK_FILE=$E2E_TMP/lock SDL_AUDIODRIVER=dummy \
    timeout 10 "$GAME_DIR/tessalor" 2>"$E2E_TMP/second-launch.err"
expect_eq "second launch's status" "$?" 0
expect_eq "window on top" "$(top_window)" "$WID"
expect_eq "window focused" "$(xdotool getwindowfocus)" "$WID"
expect_eq "windows named Tessalor" "$(tessalor_windows | wc -l)" 1
stop_pid "$OVER"
stop_pid "$GAME_PID"

log "F11: full screen at scale 2, centred; the pointer lands on the form pixel it shows"
start_game "$GAME_DIR/tessalor" fifth --scale 1
window_pos "$WID"
AT="$WX,$WY"
window_is() { [ "$(window_size "$WID")" = "$1" ]; }
xdotool key F11
wait_for 5 window_is "${E2E_SCREEN_W}x$E2E_SCREEN_H" || fail "F11 did not fill the screen: $(window_size "$WID")"
grep -qx 'fullscreen=on' "$CONF" || fail "fullscreen=on not kept"
# Form pixel (x, y) at screen (240 + 2x, 52 + 2y); the menu panel's first entry begins at form y 295.
xdotool key F10
pointer_to 1160 612                     # form (460, 280): entry 3
pointer_to 1160 $((52 + 2 * 295 - 1))  # form y 294, above entry 0
shot full-gap
expect_px "entry 0 with the pointer a form pixel above it" 724 652 "$CLR_BUTTON"
pointer_to 1160 $((52 + 2 * 295))
wait_px full-entry 724 652 "$CLR_HOVER" || fail "entry 0 not lit with the pointer on its first row"
expect_px "the margin around the game" 5 5 002a00
xdotool key Escape F3
await_dialog "F3 opened no dialog in full screen" && shot full-screen-settings
xdotool key Escape F11
wait_for 5 moved_to "${AT%,*}" "${AT#*,}" || fail "F11 again put the window at $WX,$WY, not at $AT"
expect_eq "window size after full screen" "$(window_size "$WID")" "720x488"
grep -qx 'fullscreen=off' "$CONF" || fail "fullscreen=off not kept"
xdotool key F11
stop_pid "$GAME_PID"
start_game "$GAME_DIR/tessalor" sixth
window_is "${E2E_SCREEN_W}x$E2E_SCREEN_H" || fail "the kept full screen did not open full: $(window_size "$WID")"
xdotool key F11
wait_for 5 window_is 1440x976 || fail "leaving the full screen it opened in: $(window_size "$WID")"
stop_pid "$GAME_PID"
finish
