# Helpers shared by the end-to-end scripts (sourced, not run): a private X
# server, the game in a throw-away environment, pointer moves and pixel
# checks in window coordinates (turned into screen coordinates from the
# window's current position), assertions that say what differed.

set -u

# --wm before the script's own arguments: the same journey under openbox.
WM=
if [ "${1:-}" = --wm ]; then
    WM=1
    shift
fi
E2E_NAME=${E2E_NAME:-$(basename "$0" .sh)${WM:+-wm}}
E2E_TMP=$(mktemp -d "${TMPDIR:-/tmp}/tessalor-e2e-$E2E_NAME.XXXXXX")
E2E_FAILS=0
E2E_SCREEN_W=1024
E2E_SCREEN_H=768
ROOT_COLOUR=ff00ff
XVFB_PID= WM_PID= GAME_PID= GAME_DIR= WID=

log() { echo "[$E2E_NAME] $*"; }

# A failed check is counted and the script carries on, so one run shows
# every difference; die is for states the rest cannot do without.
fail() { echo "FAIL [$E2E_NAME]: $*" >&2; E2E_FAILS=$((E2E_FAILS + 1)); }
die() { fail "$@"; exit 1; }
skip_unless_tools() {
    local t
    for t; do command -v "$t" >/dev/null 2>&1 || { echo "SKIP [$E2E_NAME]: $t is not installed"; exit 77; }; done
}
# The tools of a journey in windows, and openbox for --wm.
skip_unless_x_tools() {
    skip_unless_tools Xvfb xdotool xsetroot xdpyinfo xprop import convert compare
    [ -z "$WM" ] || skip_unless_tools openbox
}

# Ends one process we started: politely, then for good.
stop_pid() {
    kill "$1" 2>/dev/null || return 0
    local i
    for ((i = 0; i < 30; i++)); do
        [ -d "/proc/$1" ] || return 0
        grep -q "^State:.*Z" "/proc/$1/status" 2>/dev/null && return 0
        sleep 0.1
    done
    kill -KILL "$1" 2>/dev/null
}

# The process ids we started, stopped one by one, newest first.
e2e_cleanup() {
    local rc=$?
    [ -n "$GAME_PID" ] && stop_pid "$GAME_PID"
    [ -n "$WM_PID" ] && stop_pid "$WM_PID"
    [ -n "$XVFB_PID" ] && stop_pid "$XVFB_PID"
    wait 2>/dev/null
    if { [ "$rc" -eq 0 ] || [ "$rc" -eq 77 ]; } && [ "$E2E_FAILS" -eq 0 ] && [ -z "${E2E_KEEP:-}" ]; then
        rm -rf "$E2E_TMP"
    else
        echo "[$E2E_NAME] screenshots and logs kept in $E2E_TMP" >&2
    fi
}
trap e2e_cleanup EXIT
trap 'exit 1' INT TERM

# Ends the script with the right status once all checks ran; a sanitized
# build reports on stderr even when it carries on.
finish() {
    local f
    for f in "$E2E_TMP"/*.err; do
        [ -e "$f" ] || continue
        grep -qE 'ERROR: AddressSanitizer|runtime error:' "$f" && fail "sanitizer report in ${f##*/}: $(grep -m1 -E 'ERROR: AddressSanitizer|runtime error:' "$f")"
    done
    [ "$E2E_FAILS" -eq 0 ] || { echo "[$E2E_NAME] $E2E_FAILS check(s) failed" >&2; exit 1; }
    log "all checks passed"
    exit 0
}

# Polls a shell condition until it holds or the timeout (seconds) runs out.
wait_for() {
    local timeout=$1
    shift
    local end=$((SECONDS + timeout))
    while ! "$@"; do
        [ "$SECONDS" -ge "$end" ] && return 1
        sleep 0.1
    done
    return 0
}

start_xvfb() {
    local fdfile=$E2E_TMP/displayfd
    : >"$fdfile"
    Xvfb -displayfd 3 -screen 0 "${E2E_SCREEN_W}x${E2E_SCREEN_H}x24" -nolisten tcp -noreset \
        3>"$fdfile" 2>"$E2E_TMP/xvfb.log" &
    XVFB_PID=$!
    # Xvfb writes its display number once it accepts connections.
    wait_for 20 grep -q '[0-9]' "$fdfile" || die "Xvfb did not start (see $E2E_TMP/xvfb.log)"
    export DISPLAY=":$(head -n1 "$fdfile")"
    wait_for 10 sh -c 'xdpyinfo >/dev/null 2>&1' || die "cannot connect to Xvfb on $DISPLAY"
    # A known colour where the windows' cut corners let the root show.
    xsetroot -solid "#$ROOT_COLOUR"
    log "Xvfb on $DISPLAY"
}

# Xvfb, and openbox on it for --wm.
start_screen() {
    start_xvfb
    [ -n "$WM" ] || return 0
    openbox --sm-disable >"$E2E_TMP/openbox.log" 2>&1 &
    WM_PID=$!
    wait_for 20 sh -c "xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'" || die "openbox did not take the screen (see $E2E_TMP/openbox.log)"
    log "openbox running"
}

# make_game_dir BINARY -> GAME_DIR: a copy of the game beside its data files
# but without the shipped packs; write our own packs into it afterwards.
make_game_dir() {
    local bin=$1 src
    src=$(dirname "$bin")
    GAME_DIR=$E2E_TMP/game
    mkdir -p "$GAME_DIR"
    cp "$bin" "$GAME_DIR/tessalor"
    cp "$src"/tessa32c.dat "$src"/tessa32[d-i].dat "$GAME_DIR/"
    cp -r "$src/aidetessalor" "$GAME_DIR/"
}

# level_record p:c:r...: 256 characters, cell (c,r) at 16r+c, 'A' outside
# the shape, 'B'+p for piece p.
level_record() {
    local rec cell p c r i
    rec=$(printf 'A%.0s' $(seq 256))
    for cell in "$@"; do
        IFS=: read -r p c r <<<"$cell"
        i=$((16 * r + c))
        rec=${rec:0:i}$(printf "\\$(printf '%03o' $((66 + p)))")${rec:i+1}
    done
    printf '%s' "$rec"
}

# write_pack FILE RECORD...: chained XOR from the seed 'K', two trailer bytes.
write_pack() {
    local out=$1 rec i ch prev=75 c buf= o
    shift
    for rec in "$@"; do
        [ "${#rec}" -eq 256 ] || die "level record of ${#rec} characters"
        for ((i = 0; i < 256; i++)); do
            printf -v ch '%d' "'${rec:i:1}"
            c=$((ch ^ prev))
            printf -v o '\\%03o' "$c"
            buf+=$o
            prev=$c
        done
    done
    printf "$buf"'\r\n' >"$out"
}

# start_game BINARY [NAME]: runs the game in a fresh environment, waits for
# its first presented frame and finds its window (WID).
start_game() {
    local bin=$1 name=${2:-game}
    GAME_LOG=$E2E_TMP/$name.err
    GAME_RC=$E2E_TMP/$name.rc
    rm -f "$GAME_RC" "$E2E_TMP/$name.pid"
    mkdir -p "$E2E_TMP/xdg"
    (
        XDG_DATA_HOME=$E2E_TMP/xdg TESSALOR_LOCK_FILE=$E2E_TMP/lock SDL_AUDIODRIVER=dummy \
            TESSALOR_REPORT_FRAME=1 \
            bash -c 'echo $$ >"$0"; exec "$@"' "$E2E_TMP/$name.pid" "$bin" 2>"$GAME_LOG"
        echo $? >"$GAME_RC"
    ) &
    wait_for 10 test -s "$E2E_TMP/$name.pid" || die "the game process did not start"
    GAME_PID=$(cat "$E2E_TMP/$name.pid")
    wait_for 30 first_frame_or_exit || die "no 'tessalor: first frame' within 30 s (stderr: $(head -c 500 "$GAME_LOG"))"
    [ -e "$GAME_RC" ] && die "the game exited with status $(cat "$GAME_RC") before its first frame: $(head -c 500 "$GAME_LOG")"
    WID=$(timeout 15 xdotool search --sync --onlyvisible --name '^Tessalor$' | head -n1)
    [ -n "$WID" ] || die "no visible window named Tessalor"
    log "game pid $GAME_PID, window $WID"
}
first_frame_or_exit() { grep -q '^tessalor: first frame' "$GAME_LOG" || [ -e "$GAME_RC" ]; }
game_exited() { [ -e "$GAME_RC" ]; }

# Waits for the game to end; prints its exit status, or returns 1.
wait_game_exit() { wait_for "${1:-10}" game_exited && cat "$GAME_RC"; }

# Visible windows named Tessalor (the main window and any dialog); the dialog.
tessalor_windows() { xdotool search --onlyvisible --name '^Tessalor$' 2>/dev/null; }
dialog_window() { tessalor_windows | grep -vx "$WID" | head -n1; }
dialog_up() { DLG=$(dialog_window); [ -n "$DLG" ]; }
dialog_gone() { [ -z "$(dialog_window)" ]; }
# await_dialog FAILURE: waits for a dialog (DLG), else counts the failure.
await_dialog() { wait_for 5 dialog_up || { fail "$1"; return 1; }; }

# window_size WINDOW: its size as WxH.
window_size() { xdotool getwindowgeometry "$1" | sed -n 's/.*Geometry: //p'; }

# window_pos WINDOW -> sets WX WY (screen position of its top-left pixel).
window_pos() {
    local X Y WINDOW SCREEN
    eval "$(xdotool getwindowgeometry --shell "$1")"
    WX=$X WY=$Y
}

# --sync waits until the pointer arrived but hangs when it is already there.
pointer_to() {
    local X Y SCREEN WINDOW
    eval "$(xdotool getmouselocation --shell)"
    [ "$X" = "$1" ] && [ "$Y" = "$2" ] && return 0
    xdotool mousemove --sync "$1" "$2"
}

# wmove X Y [WINDOW]: pointer to a point given in the window's coordinates.
wmove() {
    window_pos "${3:-$WID}"
    pointer_to $((WX + $1)) $((WY + $2))
}

# wclick X Y [BUTTON] [WINDOW]
wclick() {
    wmove "$1" "$2" "${4:-$WID}"
    xdotool click "${3:-1}"
}

# shot NAME [WINDOW]: screenshot of the whole screen (import, not xwd, which
# paints SDL's cut corners black), kept as PNG for people and as raw RGB for
# pixel reads; SX SY remember where the window was.
shot() {
    SHOT=$E2E_TMP/$1
    window_pos "${2:-$WID}"
    SX=$WX
    SY=$WY
    import -window root "$SHOT.png" || die "import failed"
    convert "$SHOT.png" -depth 8 "rgb:$SHOT.rgb" || die "convert failed"
}

# px_is NAME X Y RRGGBB [WINDOW]: a fresh shot shows that window pixel;
# wait_px waits up to 10 s for it.
px_is() {
    shot "$1" "${5:-$WID}"
    [ "$(px "$2" "$3")" = "$4" ]
}
wait_px() { wait_for 10 px_is "$@"; }

# rgb_px FILE X Y: pixel of a raw RGB screenshot at screen (X,Y), as rrggbb;
# px X Y: of the last shot at window (X,Y), '' off the screen.
rgb_px() { od -An -tx1 -j $((($3 * E2E_SCREEN_W + $2) * 3)) -N3 "$1" | tr -d " \n"; }
px() {
    local x=$((SX + $1)) y=$((SY + $2))
    [ "$x" -ge 0 ] && [ "$y" -ge 0 ] && [ "$x" -lt "$E2E_SCREEN_W" ] && [ "$y" -lt "$E2E_SCREEN_H" ] &&
        rgb_px "$SHOT.rgb" "$x" "$y"
}

# expect_px WHAT X Y RRGGBB: window pixel of the last shot.
expect_px() {
    local got
    got=$(px "$2" "$3")
    [ "$got" = "$4" ] || fail "$1: window pixel ($2,$3) is #$got, expected #$4 (${SHOT##*/}.png, window at $SX,$SY)"
}
expect_not_px() {
    [ "$(px "$2" "$3")" != "$4" ] || fail "$1: window pixel ($2,$3) is #$4, expected anything else (${SHOT##*/}.png)"
}

expect_eq() { [ "$2" = "$3" ] || fail "$1: got '$2', expected '$3'"; }

# crop FILE X Y W H OUT: a region of a picture into its own PNG.
crop() { convert "$1" -crop "$4x$5+$2+$3" +repage "$6"; }

# Number of pixels that differ between two pictures of the same size.
diff_pixels() {
    local n
    n=$(compare -metric AE "$1" "$2" null: 2>&1)
    echo "${n%% *}"
}

# region_diff NAME X Y W H REFERENCE.png [REF_X REF_Y]: differing pixels
# between a window region of the last shot and a region of a reference.
region_diff() {
    local name=$1 x=$2 y=$3 w=$4 h=$5 ref=$6 rx=${7:-0} ry=${8:-0}
    crop "$SHOT.png" $((SX + x)) $((SY + y)) "$w" "$h" "$E2E_TMP/$name.got.png"
    crop "$ref" "$rx" "$ry" "$w" "$h" "$E2E_TMP/$name.want.png"
    diff_pixels "$E2E_TMP/$name.got.png" "$E2E_TMP/$name.want.png"
}

expect_region() {
    local n
    n=$(region_diff "$@")
    [ "$n" = "0" ] || fail "$1: window region ($2,$3) $4x$5 differs from ${6##*/} at (${7:-0},${8:-0}) in $n pixels (${SHOT##*/}.png; $E2E_TMP/$1.got.png vs $1.want.png)"
}

# The head and tile sheets made again by our asset tool: exact expected pixels.
make_reference_art() {
    local tool=$1
    mkdir -p "$E2E_TMP/art/data" "$E2E_TMP/art/preview"
    "$tool" "$E2E_TMP/art/data" "$E2E_TMP/art/data/embedded.cpp" --preview "$E2E_TMP/art/preview" \
        >"$E2E_TMP/art.log" 2>&1 || die "the asset tool failed: $(cat "$E2E_TMP/art.log")"
    HEAD_SHEET=$E2E_TMP/art/preview/kHeadSheet.png
    TILE_SHEET=$E2E_TMP/art/preview/kTileSheet.png
    TILE_PIXELS=$E2E_TMP/art/tiles.rgb
    convert "$TILE_SHEET" -depth 8 "rgb:$TILE_PIXELS"
}

# Centre colour of tile T (0-11 pieces, 13 the piece mask, 16 the empty
# wooden cell) in the tile sheet (17 tiles of 24 px in a row).
tile_centre() {
    local off=$(((12 * 408 + 24 * $1 + 12) * 3))
    od -An -tx1 -j "$off" -N3 "$TILE_PIXELS" | tr -d ' \n'
}

# The main window's outline, as the root colour shows through it.
expect_outline() {
    local what=$1 p
    for p in 2,2 717,2 717,437 2,485 549,485 600,470 719,487 560,450; do
        expect_px "$what: cut corner" "${p%,*}" "${p#*,}" "$ROOT_COLOUR"
    done
    for p in 60,60 360,430 24,24 696,24 24,464 528,464 700,420 360,2; do
        expect_not_px "$what: inside the outline" "${p%,*}" "${p#*,}" "$ROOT_COLOUR"
    done
}

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
