# Helpers shared by the end-to-end scripts (sourced): a private X server, the
# game in a throw-away environment, pointer moves and pixel checks in window
# coordinates, assertions that say what differed.
# SPDX-License-Identifier: GPL-3.0-or-later
set -u

# --wm before the script's own arguments: the same journey under openbox.
WM=
[ "${1:-}" = --wm ] && { WM=1; shift; }
E2E_NAME=${E2E_NAME:-$(basename "$0" .sh)${WM:+-wm}}
E2E_TMP=$(mktemp -d "${TMPDIR:-/tmp}/tessalor-e2e-$E2E_NAME.XXXXXX")
E2E_FAILS=0 E2E_SCREEN_W=1024 E2E_SCREEN_H=768 ROOT_COLOUR=ff00ff
CLR_BUTTON=109410 CLR_HOVER=00ff00  # a button of the menu or a dialog, and lit
XVFB_PID= WM_PID= GAME_PID= WID=

log() { echo "[$E2E_NAME] $*"; }
# A failed check is counted and the script carries on, so one run shows
# every difference; die is for states the rest cannot do without.
fail() { echo "FAIL [$E2E_NAME]: $*" >&2; E2E_FAILS=$((E2E_FAILS + 1)); }
die() { fail "$@"; exit 1; }
# The tools of a journey in windows, and openbox for --wm.
skip_unless_x_tools() {
    local t
    for t in Xvfb xdotool xsetroot xdpyinfo xprop import convert compare ${WM:+openbox}; do
        command -v "$t" >/dev/null 2>&1 || { echo "SKIP [$E2E_NAME]: $t is not installed"; exit 77; }
    done
}

# Ends one process we started: politely, then for good.
stop_pid() {
    kill "$1" 2>/dev/null || return 0
    wait_for 3 ended "$1" || kill -KILL "$1" 2>/dev/null
}
ended() { [ ! -d "/proc/$1" ] || grep -q "^State:.*Z" "/proc/$1/status" 2>/dev/null; }

# The processes we started, newest first; the files kept when a check failed.
e2e_cleanup() {
    local rc=$? p
    for p in "$GAME_PID" "$WM_PID" "$XVFB_PID"; do [ -n "$p" ] && stop_pid "$p"; done
    wait 2>/dev/null
    if { [ "$rc" -eq 0 ] || [ "$rc" -eq 77 ]; } && [ "$E2E_FAILS" -eq 0 ] && [ -z "${E2E_KEEP:-}" ]; then
        rm -rf "$E2E_TMP"
    else
        echo "[$E2E_NAME] screenshots and logs kept in $E2E_TMP" >&2
    fi
}
trap e2e_cleanup EXIT
trap 'exit 1' INT TERM

# The script's status once all checks ran; a sanitized build reports on
# stderr even when it carries on.
finish() {
    local f re='ERROR: AddressSanitizer|WARNING: ThreadSanitizer|runtime error:'
    for f in "$E2E_TMP"/*.err; do
        [ -e "$f" ] && grep -qE "$re" "$f" && fail "sanitizer report in ${f##*/}: $(grep -m1 -E "$re" "$f")"
    done
    [ "$E2E_FAILS" -eq 0 ] || { echo "[$E2E_NAME] $E2E_FAILS check(s) failed" >&2; exit 1; }
    log "all checks passed"
    exit 0
}

# wait_for SECONDS COMMAND...: polls the command until it holds.
wait_for() {
    local end=$((SECONDS + $1))
    shift
    until "$@"; do
        [ "$SECONDS" -ge "$end" ] && return 1
        sleep 0.1
    done
}

# Xvfb (it writes its display number once it accepts connections), the root
# in a known colour where the windows' cut corners let it show, and openbox
# on it for --wm.
start_screen() {
    local fdfile=$E2E_TMP/displayfd
    : >"$fdfile"
    Xvfb -displayfd 3 -screen 0 "${E2E_SCREEN_W}x${E2E_SCREEN_H}x24" -nolisten tcp -noreset \
        3>"$fdfile" 2>"$E2E_TMP/xvfb.log" &
    XVFB_PID=$!
    wait_for 20 grep -q '[0-9]' "$fdfile" || die "Xvfb did not start (see $E2E_TMP/xvfb.log)"
    export DISPLAY=":$(head -n1 "$fdfile")"
    wait_for 10 xdpyinfo >/dev/null 2>&1 || die "cannot connect to Xvfb on $DISPLAY"
    xsetroot -solid "#$ROOT_COLOUR"
    [ -z "$WM" ] || start_wm
}
start_wm() {
    openbox --sm-disable >"$E2E_TMP/openbox.log" 2>&1 &
    WM_PID=$!
    wait_for 20 sh -c "xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'" ||
        die "openbox did not take the screen (see $E2E_TMP/openbox.log)"
}

# make_game_dir BINARY PACK_RECORD...: GAME_DIR, a copy of the game beside
# its data files with a pack 0 of those level records instead of the shipped
# packs. A record is 256 characters (cell (c,r) at 16r+c, 'A' outside the
# shape, 'B'+p for piece p), scrambled by a chained XOR from the seed 'K'.
make_game_dir() {
    local src rec i ch prev=75 buf= o
    src=$(dirname "$1")
    GAME_DIR=$E2E_TMP/game
    mkdir -p "$GAME_DIR"
    cp "$1" "$GAME_DIR/tessalor"
    cp -r "$src"/tessa32c.dat "$src"/tessa32[d-i].dat "$src/aidetessalor" "$GAME_DIR/"
    shift
    for rec; do
        for ((i = 0; i < 256; i++)); do
            printf -v ch '%d' "'${rec:i:1}"
            prev=$((ch ^ prev))
            printf -v o '\\%03o' "$prev"
            buf+=$o
        done
    done
    printf "$buf"'\r\n' >"$GAME_DIR/tessa320.dat"
}
# level_record P:C:R...: the record with piece P on cell (C,R).
level_record() {
    local rec cell p c r i
    rec=$(printf 'A%.0s' $(seq 256))
    for cell; do
        IFS=: read -r p c r <<<"$cell"
        i=$((16 * r + c))
        rec=${rec:0:i}$(printf "\\$(printf '%03o' $((66 + p)))")${rec:i+1}
    done
    printf '%s' "$rec"
}

# start_game BINARY [NAME [ARG...]]: runs the game in a fresh environment, waits for
# its first presented frame and finds its window (WID).
start_game() {
    local name=${2:-game}
    GAME_LOG=$E2E_TMP/$name.err GAME_RC=$E2E_TMP/$name.rc
    rm -f "$GAME_RC" "$E2E_TMP/$name.pid"
    mkdir -p "$E2E_TMP/xdg"
    (
        XDG_DATA_HOME=$E2E_TMP/xdg XDG_CONFIG_HOME=$E2E_TMP/config TESSALOR_LOCK_FILE=$E2E_TMP/lock SDL_AUDIODRIVER=dummy TESSALOR_REPORT_FRAME=1 \
            TESSALOR_LANGUE=${E2E_LANGUE-fr} \
            bash -c 'echo $$ >"$0"; exec "$@"' "$E2E_TMP/$name.pid" "$1" "${@:3}" 2>"$GAME_LOG"
        echo $? >"$GAME_RC"
    ) &
    wait_for 10 test -s "$E2E_TMP/$name.pid" || die "the game process did not start"
    GAME_PID=$(cat "$E2E_TMP/$name.pid")
    wait_for 30 first_frame_or_exit || die "no 'tessalor: first frame' within 30 s (stderr: $(head -c 500 "$GAME_LOG"))"
    game_exited && die "the game exited with status $(cat "$GAME_RC") before its first frame: $(head -c 500 "$GAME_LOG")"
    WID=$(timeout 15 xdotool search --sync --onlyvisible --name '^Tessalor$' | head -n1)
    [ -n "$WID" ] || die "no visible window named Tessalor"
    log "game pid $GAME_PID, window $WID"
}
first_frame_or_exit() { grep -q '^tessalor: first frame' "$GAME_LOG" || game_exited; }
game_exited() { [ -e "$GAME_RC" ]; }
# Waits for the game to end; prints its exit status, or returns 1.
wait_game_exit() { wait_for "${1:-10}" game_exited && cat "$GAME_RC"; }

# Visible windows named Tessalor; a dialog (DLG) is any but the main one.
tessalor_windows() { xdotool search --onlyvisible --name '^Tessalor$' 2>/dev/null; }
dialog_up() { DLG=$(tessalor_windows | grep -vx "$WID" | head -n1); [ -n "$DLG" ]; }
dialog_gone() { ! dialog_up; }
# await_dialog FAILURE: waits for a dialog (DLG), else counts the failure.
await_dialog() { wait_for 5 dialog_up || { fail "$1"; return 1; }; }

# drag_strip WHAT STEPS DX DY: the window follows the pointer exactly, whatever the step: a press at
# (300,10) in the strip (S the scale), then STEPS moves of (DX,DY) screen pixels.
drag_strip() {
    local what=$1 steps=$2 dx=$3 dy=$4 i x0 y0 px0 py0
    window_pos "$WID"
    x0=$WX y0=$WY
    px0=$((x0 + 300 * S)) py0=$((y0 + 10 * S))
    pointer_to "$px0" "$py0"
    xdotool mousedown 1
    for ((i = 1; i <= steps; i++)); do pointer_to $((px0 + i * dx)) $((py0 + i * dy)); done
    xdotool mouseup 1
    wait_for 3 moved_to $((x0 + steps * dx)) $((y0 + steps * dy)) ||
        fail "$what: $steps steps of ($dx,$dy) moved the window from ($x0,$y0) to ($WX,$WY)"
}
moved_to() { window_pos "$WID"; [ "$WX,$WY" = "$1,$2" ]; }
window_size() { xdotool getwindowgeometry "$1" | sed -n 's/.*Geometry: //p'; }
# window_pos WINDOW -> WX WY, the screen position of its top-left pixel.
window_pos() {
    local X Y WINDOW SCREEN
    eval "$(xdotool getwindowgeometry --shell "$1")"
    WX=$X WY=$Y
}
# --sync waits until the pointer arrived but hangs when it is already there.
pointer_to() {
    local X Y SCREEN WINDOW
    eval "$(xdotool getmouselocation --shell)"
    [ "$X,$Y" = "$1,$2" ] || xdotool mousemove --sync "$1" "$2"
}
# wmove X Y [WINDOW], wclick X Y [BUTTON] [WINDOW]: at a point of the window.
wmove() {
    window_pos "${3:-$WID}"
    pointer_to $((WX + $1)) $((WY + $2))
}
wclick() {
    wmove "$1" "$2" "${4:-$WID}"
    xdotool click "${3:-1}"
}

# shot NAME [WINDOW]: the whole screen (import, not xwd, which paints SDL's
# cut corners black) as PNG and raw RGB; SX SY remember where the window was.
shot() {
    SHOT=$E2E_TMP/$1
    window_pos "${2:-$WID}"
    SX=$WX SY=$WY
    import -window root "$SHOT.png" && convert "$SHOT.png" -depth 8 "rgb:$SHOT.rgb" || die "screenshot failed"
}
# rgb_px FILE X Y: pixel of a raw RGB picture W pixels wide, as rrggbb.
rgb_px() { od -An -tx1 -j $((($3 * ${4:-$E2E_SCREEN_W} + $2) * 3)) -N3 "$1" | tr -d " \n"; }
# px X Y: pixel of the last shot at window (X,Y), '' off the screen.
px() {
    local x=$((SX + $1)) y=$((SY + $2))
    [ "$x" -ge 0 ] && [ "$y" -ge 0 ] && [ "$x" -lt "$E2E_SCREEN_W" ] && [ "$y" -lt "$E2E_SCREEN_H" ] &&
        rgb_px "$SHOT.rgb" "$x" "$y"
}
# wait_px NAME X Y RRGGBB [WINDOW]: waits up to 10 s for a shot with that pixel.
px_is() { shot "$1" "${5:-$WID}"; [ "$(px "$2" "$3")" = "$4" ]; }
wait_px() { wait_for 10 px_is "$@"; }
# expect_px WHAT X Y RRGGBB: window pixel of the last shot; expect_not_px.
expect_px() {
    local got
    got=$(px "$2" "$3")
    [ "$got" = "$4" ] || fail "$1: window pixel ($2,$3) is #$got, expected #$4 (${SHOT##*/}.png, window at $SX,$SY)"
}
expect_not_px() { [ "$(px "$2" "$3")" != "$4" ] || fail "$1: window pixel ($2,$3) is #$4, expected anything else (${SHOT##*/}.png)"; }
expect_eq() { [ "$2" = "$3" ] || fail "$1: got '$2', expected '$3'"; }

# crop FILE X Y W H OUT; diff_pixels A B: the number of pixels that differ.
crop() { convert "$1" -crop "$4x$5+$2+$3" +repage "$6"; }
diff_pixels() {
    local n
    n=$(compare -metric AE "$1" "$2" null: 2>&1)
    echo "${n%% *}"
}
# region_diff NAME X Y W H REFERENCE.png [REF_X REF_Y]: differing pixels
# between a window region of the last shot and a region of a reference.
region_diff() {
    crop "$SHOT.png" $((SX + $2)) $((SY + $3)) "$4" "$5" "$E2E_TMP/$1.got.png"
    crop "$6" "${7:-0}" "${8:-0}" "$4" "$5" "$E2E_TMP/$1.want.png"
    diff_pixels "$E2E_TMP/$1.got.png" "$E2E_TMP/$1.want.png"
}

# The head and tile sheets made again by our asset tool, for exact pixels.
make_reference_art() {
    local art=$E2E_TMP/art
    mkdir -p "$art/data" "$art/preview"
    "$1" "$art/data" "$art/data/embedded.cpp" --preview "$art/preview" >"$E2E_TMP/art.log" 2>&1 ||
        die "the asset tool failed: $(cat "$E2E_TMP/art.log")"
    HEAD_SHEET=$art/preview/kHeadSheet.png
    convert "$art/preview/kTileSheet.png" -depth 8 "rgb:$art/tiles.rgb"
    RED=$(tile_centre 0) ORANGE=$(tile_centre 1) YELLOW=$(tile_centre 2)  # the I, X and L
    SILHOUETTE=$(tile_centre 13) WOOD=$(tile_centre 16)
}
# Centre colour of tile T (0-11 pieces, 13 the piece mask, 16 the empty
# wooden cell) in the tile sheet (17 tiles of 24 px in a row).
tile_centre() { rgb_px "$E2E_TMP/art/tiles.rgb" $((24 * $1 + 12)) 12 408; }

# Window coordinates of the centre of a cell of piece p in its tray slot
# (slot box, then row and column of a cell), and of board cell (c,r). The
# play area stands at window y 24; the board starts at its x 168.
declare -a TRAY_X=(616 64 616 8 616 -16 -16 536 536 536 64 64)
declare -a TRAY_Y=(144 0 24 24 264 240 120 264 0 120 240 120)
declare -a CELL_R=(0 1 0 0 1 1 1 1 1 1 1 1)
declare -a CELL_C=(2 2 1 2 1 2 2 2 1 1 1 1)
tray_cell_x() { echo $((TRAY_X[$1] + 24 * CELL_C[$1] + 12)); }
tray_cell_y() { echo $((24 + TRAY_Y[$1] + 24 * CELL_R[$1] + 12)); }
cell_x() { echo $((168 + 24 * $1 + 12)); }
cell_y() { echo $((24 + 24 * $1 + 12)); }

# cells_are WHAT COLOUR COL:ROW...: each board cell's centre has that colour.
cells_are() {
    local what=$1 colour=$2 cell
    shift 2
    for cell in "$@"; do
        expect_px "$what: board cell ($cell)" "$(cell_x "${cell%:*}")" "$(cell_y "${cell#*:}")" "$colour"
    done
}

# The one level of play.sh and keyboard.sh, so that "a random shape" is this
# one: a vertical I at column 7, an X centred on (3,12) and an L as drawn in
# the tray.
three_piece_game() {
    make_reference_art "$2"
    I_CELLS="7:5 7:6 7:7 7:8 7:9"
    X_CELLS="3:11 2:12 3:12 4:12 3:13"
    L_CELLS="11:6 12:6 12:7 12:8 12:9"
    make_game_dir "$1" "$(level_record $(for c in $I_CELLS; do echo 0:$c; done) \
        $(for c in $X_CELLS; do echo 1:$c; done) $(for c in $L_CELLS; do echo 2:$c; done))"
}
