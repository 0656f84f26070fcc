#!/bin/bash
# One journey in French, English and German (start, menu, random shape, quit dialog answered NON, help, quit):
# what the player reads differs from the French, and the help page handed over is the language's own.
# SPDX-License-Identifier: GPL-3.0-or-later
. "$(dirname "$0")/lib.sh"
BIN=${1:?usage: languages.sh TESSALOR_BINARY ASSET_TOOL} TOOL=${2:?usage}
skip_unless_x_tools

three_piece_game "$BIN" "$TOOL"
cp -r "$(dirname "$BIN")/locale" "$GAME_DIR/"
# The desktop's viewer is ours: it writes down what it was asked to open.
mkdir -p "$E2E_TMP/bin"
printf '#!/bin/sh\nprintf "%%s\\n" "$1" >>%q\n' "$E2E_TMP/opened" >"$E2E_TMP/bin/xdg-open"
chmod +x "$E2E_TMP/bin/xdg-open"
export PATH=$E2E_TMP/bin:$PATH
start_screen

# The background's buttons, the menu panel, the label under the board (and the quit dialog, whole).
REGIONS=(buttons:230:418:262:60 menu:230:260:262:150 label:128:419:91:35)
journey() {  # journey CODE: the game in that language, shots named after it
    local code=$1
    rm -f "$E2E_TMP/opened"
    xdotool mousemove 0 0
    start_game "$GAME_DIR/tessalor" "$code"
    wclick 360 430
    sleep 0.5
    wshot "$code-menu"
    wclick 460 280  # a random shape: the one level
    sleep 0.5
    wclick 360 430
    sleep 0.5
    wclick 460 390  # Quitter
    await_dialog "$code: no quit dialog" && { sleep 0.3; wshot "$code-quit" "$DLG"; wclick 183 140 1 "$DLG"; }
    wait_for 5 dialog_gone || fail "$code: NON left the dialog open"
    wshot "$code-level"
    wclick 293 464  # Aide
    wait_for 5 test -s "$E2E_TMP/opened" || fail "$code: Aide handed nothing to the desktop"
    HELP[$code]=$(head -n1 "$E2E_TMP/opened" 2>/dev/null)
    wclick 360 430
    sleep 0.5
    wclick 460 390
    await_dialog "$code: no quit dialog the second time" && wclick 69 140 1 "$DLG"
    expect_eq "$code: status after OUI" "$(wait_game_exit 10)" 0
    GAME_PID=
}
wshot() {  # wshot NAME [WINDOW]: a shot, and the window alone in NAME.win.png
    local g
    shot "$@"
    g=$(window_size "${2:-$WID}")
    crop "$SHOT.png" "$SX" "$SY" "${g%x*}" "${g#*x}" "$SHOT.win.png"
}
differs_from_french() {  # differs_from_french CODE SHOT X Y W H
    crop "$E2E_TMP/$1-$2.win.png" "$3" "$4" "$5" "$6" "$E2E_TMP/got.png"
    crop "$E2E_TMP/fr-$2.win.png" "$3" "$4" "$5" "$6" "$E2E_TMP/french.png"
    [ "$(diff_pixels "$E2E_TMP/got.png" "$E2E_TMP/french.png")" != 0 ] ||
        fail "$1: $2 at $3,$4 (${5}x$6) shows the French pixels"
}
declare -A HELP
E2E_LANGUE=fr journey fr
E2E_LANGUE=en journey en
E2E_LANGUE= LANGUAGE=xx:de journey de
for code in en de; do
    for r in "${REGIONS[@]}"; do
        IFS=: read -r name x y w h <<<"$r"
        differs_from_french "$code" "$([ "$name" = label ] && echo level || echo menu)" "$x" "$y" "$w" "$h"
    done
    differs_from_french "$code" quit 0 0 257 181
    expect_eq "$code: help page" "${HELP[$code]}" "$GAME_DIR/aidetessalor/aide-$code.htm"
    grep -q "<html lang=\"$code\">" "${HELP[$code]}" || fail "$code: the help page is not marked $code"
done
expect_eq "fr: help page" "${HELP[fr]}" "$GAME_DIR/aidetessalor/aide.htm"
finish
