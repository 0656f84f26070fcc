#!/bin/bash
# End-to-end journey: the game as a desktop installs and shows it.
# SPDX-License-Identifier: GPL-3.0-or-later
# The game as a desktop installs and shows it: the drag strip followed step by
# step, the doubled window (picture, clicks, dialog), the rectangular window
# where shapes fail, the installed tree and the Debian package.
# Usage: desktop.sh [--wm] TESSALOR_BINARY ASSET_TOOL BUILD_DIR
#   --wm: only the drag strip, under openbox, at scale 1 and 2.
. "$(dirname "$0")/lib.sh"
BIN=${1:?usage} TOOL=${2:?usage} BUILD=${3:?usage}
skip_unless_x_tools
E2E_SCREEN_W=1920 E2E_SCREEN_H=1200
S=1  # scale of the running game: window points are given at scale 1

# Window point (X,Y) of the unscaled window, on the running game's scale.
sclick() { wclick $(($1 * S)) $(($2 * S)) "${3:-1}" "${4:-$WID}"; }
spx_is() { shot "$1"; [ "$(px $(($2 * S)) $(($3 * S)))" = "$4" ]; }

run_game() {  # run_game NAME BINARY [ARGUMENT...]: through a launcher, for arguments
    local name=$1 bin=$2
    shift 2
    [ -n "$GAME_PID" ] && stop_pid "$GAME_PID"
    printf '#!/bin/sh\nexec %q "$@" %s\n' "$bin" "$*" >"$E2E_TMP/$name.sh"
    chmod +x "$E2E_TMP/$name.sh"
    xdotool mousemove 0 0
    start_game "$E2E_TMP/$name.sh" "$name"
}

drag_checks() {
    drag_strip "$1" 5 8 6
    drag_strip "$1" 20 -2 -1
}

# A random shipped level, then the first piece in play picked from the tray:
# its slot turns into a silhouette.
plays_a_piece() {
    local what=$1 p found=
    sclick 360 430
    sleep 0.3
    sclick 460 280
    sleep 0.5
    shot "$what-level"
    for p in $(seq 0 11); do
        [ "$(px $(($(tray_cell_x "$p") * S)) $(($(tray_cell_y "$p") * S)))" = "$(tile_centre "$p")" ] && { found=1; break; }
    done
    [ -n "$found" ] || { fail "$what: no piece in play in the tray"; return; }
    sclick "$(tray_cell_x "$p")" "$(tray_cell_y "$p")"
    wmove $((700 * S)) $((300 * S))
    wait_for 5 spx_is "$what-held" "$(tray_cell_x "$p")" "$(tray_cell_y "$p")" "$SILHOUETTE" ||
        fail "$what: tray piece $p was not picked up"
}

# One-line answers, and a usage line with status 2 for anything else.
for a in --version --help; do
    out=$("$BIN" $a 2>&1)
    expect_eq "$a: status" "$?" 0
    expect_eq "$a: one line" "$(printf '%s\n' "$out" | wc -l)" 1
done
for a in --scale=5 --bogus; do
    "$BIN" $a >/dev/null 2>"$E2E_TMP/usage.err"
    expect_eq "$a: status" "$?" 2
    grep -q '^Usage : tessalor' "$E2E_TMP/usage.err" || fail "$a: no usage line on stderr"
done

make_reference_art "$TOOL"
start_screen
if [ -n "$WM" ]; then
    for S in 1 2; do
        run_game "wm$S" "$BIN" --scale $S
        drag_checks "openbox, scale $S"
    done
    finish
fi

# ---- scale 1: the drag strip, the reference picture --------------------------
run_game one "$BIN"
sleep 0.3
shot one
convert "$SHOT.png" -crop "720x488+$SX+$SY" +repage -scale 200% "$E2E_TMP/one-x2.png"
drag_checks "scale 1"

# ---- scale 2 ------------------------------------------------------------------
S=2
run_game two "$BIN" --scale 2
expect_eq "window size at --scale 2" "$(window_size "$WID")" "1440x976"
sleep 0.3
shot two
# Pixel for pixel the scale-1 picture doubled, but for the clock's digits.
hide_clock() { convert "$1" -fill black -draw "rectangle 260,910 436,958" "$2"; }
crop "$SHOT.png" "$SX" "$SY" 1440 976 "$E2E_TMP/two-window.png"
hide_clock "$E2E_TMP/two-window.png" "$E2E_TMP/two-masked.png"
hide_clock "$E2E_TMP/one-x2.png" "$E2E_TMP/one-masked.png"
n=$(diff_pixels "$E2E_TMP/two-masked.png" "$E2E_TMP/one-masked.png")
[ "$n" = 0 ] || fail "scale 2: the window differs from the scale-1 one doubled in $n pixels"
# The about box at twice its size, closed by its X.
sclick 429 464
if await_dialog "scale 2: no about box"; then
    expect_eq "about box at scale 2" "$(window_size "$DLG")" "514x362"
    sclick 237 18 1 "$DLG"
    wait_for 5 dialog_gone || fail "scale 2: the X did not close the about box"
fi
drag_checks "scale 2"
plays_a_piece scale2

# ---- no shapes: a rectangular window that plays -------------------------------
S=1
TESSALOR_NO_SHAPE=1 run_game flat "$BIN"
shot flat
expect_not_px "rectangular window: its corner" 1 1 "$ROOT_COLOUR"
expect_eq "fallback said once on stderr" "$(grep -c 'fenêtre rectangulaire' "$GAME_LOG")" 1
plays_a_piece flat

# ---- installed: the tree, its desktop files, the package -----------------------
stop_pid "$GAME_PID"
GAME_PID=
P=$E2E_TMP/prefix
cmake --install "$BUILD" --prefix "$P" >"$E2E_TMP/install.log" 2>&1 || fail "cmake --install failed: $(tail -3 "$E2E_TMP/install.log")"
for size in 16 32 48 64 128 256; do
    [ "$(identify -format %wx%h "$P/share/icons/hicolor/${size}x$size/apps/tessalor.png" 2>/dev/null)" = "${size}x$size" ] ||
        fail "no ${size}x$size icon installed"
done
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$P/share/applications/tessalor.desktop" || fail "the desktop entry does not validate"
fi
command -v appstreamcli >/dev/null && { appstreamcli validate --no-net "$P/share/metainfo/tessalor.game.tessalor.metainfo.xml" >"$E2E_TMP/appstream.log" 2>&1 ||
    fail "the metainfo does not validate: $(cat "$E2E_TMP/appstream.log")"; }
run_game installed "$P/games/tessalor"
expect_eq "window class against StartupWMClass" "$(xprop -id "$WID" WM_CLASS | sed 's/.*", "\(.*\)"/\1/')" \
    "$(sed -n 's/^StartupWMClass=//p' "$P/share/applications/tessalor.desktop")"
plays_a_piece installed

if command -v cpack >/dev/null && command -v dpkg-shlibdeps >/dev/null; then
    (cd "$BUILD" && cpack -G DEB -B "$E2E_TMP/deb") >"$E2E_TMP/cpack.log" 2>&1 || fail "cpack failed: $(tail -5 "$E2E_TMP/cpack.log")"
    DEB=$(ls "$E2E_TMP"/deb/tessalor_*_amd64.deb 2>/dev/null | head -n1)
    if [ -n "$DEB" ]; then
        dpkg-deb -f "$DEB" Depends | grep -q 'libsdl2-2.0-0' || fail "the package's dependencies lack SDL2: $(dpkg-deb -f "$DEB" Depends)"
        dpkg-deb -x "$DEB" "$E2E_TMP/unpacked"
        run_game unpacked "$E2E_TMP/unpacked/usr/games/tessalor"
    else
        fail "no tessalor_<version>_amd64.deb made"
    fi
fi
finish
