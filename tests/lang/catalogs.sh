#!/bin/bash
# The catalogs as CI wants them: every language there (French for the desktop entry), complete, nothing fuzzy, the menu's three blanks kept, the
# committed template current, and no unmarked literal handed to a caption, a button, an alert or an error box.
# SPDX-License-Identifier: GPL-3.0-or-later
# Usage: catalogs.sh SOURCE_DIR BUILD_DIR
SRC=${1:?usage} BUILD=${2:?usage}
fails=0
fail() { echo "FAIL: $*" >&2; fails=$((fails + 1)); }
for code in fr en de es it nl pt pl; do
    po=$SRC/po/$code.po
    [ -f "$po" ] || { fail "$code: po/$code.po is missing"; continue; }
    stats=$(LC_ALL=C msgfmt --check --statistics -o /dev/null "$po" 2>&1) || fail "$code: msgfmt --check: $stats"
    grep -qE 'fuzzy|untranslated' <<<"$stats" && fail "$code: not complete: $stats"
    echo "$code: $stats"
    msgcmp "$po" "$SRC/po/tessalor.pot" 2>/dev/null || fail "$code: entries of po/tessalor.pot missing (msgcmp)"
    msggrep --msgid -E -e '^   ' "$po" | grep '^msgstr "' | grep -v '^msgstr "   ' | grep -v '^msgstr ""$' |
        while read -r line; do echo "FAIL: $code: menu caption without its three blanks: $line" >&2; done |
        grep -q . && fails=$((fails + 1))
done
# The menu entry in each language: found by "puzzle" and "pentomino".
for code in "" fr de es it nl pt pl; do
    keys=$(grep "^Keywords${code:+\[$code\]}=" "$BUILD/desktop/tessalor.desktop")
    grep -qi puzzle <<<"$keys" && grep -qi pentomino <<<"$keys" ||
        fail "desktop entry ${code:-default}: Keywords without puzzle and pentomino: '$keys'"
done
strip_date() { grep -v '^"POT-Creation-Date:' "$1"; }
cmp -s <(strip_date "$SRC/po/tessalor.pot") <(strip_date "$BUILD/po/tessalor.pot") ||
    fail "po/tessalor.pot is stale: cmake --build BUILD --target tessalor-pot-update"
unmarked=$(cd "$SRC" && grep -nE '(SetCaption|AddButton|ShowAlert|StartupError|ShowFatalError)\("[^"]*[A-Za-z]' \
    ui/*.cpp flow/*.cpp app/*.cpp | grep -v 'AddButton("X"')
[ -z "$unmarked" ] || fail "unmarked texts for the player: $unmarked"
[ "$fails" -eq 0 ] && echo "catalogs complete and the template current"
exit $((fails > 0))
