#!/usr/bin/env bash
# The Debian package as a packager checks it: built twice, byte for byte the same;
# SPDX-License-Identifier: GPL-3.0-or-later
# lintian --pedantic finds no error, no warning and no hardening gap; the
# AppStream file, the desktop entry and the manual pages validate.
# Usage: check.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
for run in a b; do
  (cd "$build" && cpack -G DEB -B "$work/$run" >"$work/cpack-$run.log") || { cat "$work/cpack-$run.log"; fail "cpack"; }
done
deb=$(ls "$work"/a/tessalor_*.deb)
cmp "$deb" "$work/b/$(basename "$deb")" || fail "two cpack runs gave different bytes"
lintian --pedantic --fail-on error,warning "$deb" | tee "$work/lintian.txt" || fail "lintian: errors or warnings"
! grep -q 'hardening' "$work/lintian.txt" || fail "lintian: hardening flags missing"
dpkg-deb -x "$deb" "$work/root"
[ "$(readlink -f "$work/root/usr/games/tessalor")" = "$work/root/usr/lib/tessalor/tessalor" ] ||
  fail "/usr/games/tessalor does not lead to the game"
appstreamcli validate --no-net --pedantic "$work"/root/usr/share/metainfo/*.metainfo.xml || fail "appstreamcli"
out=$(desktop-file-validate "$work"/root/usr/share/applications/*.desktop 2>&1) && [ -z "$out" ] ||
  fail "desktop-file-validate: $out"
for page in "$work"/root/usr/share/man/man6/*.6.gz "$work"/root/usr/share/man/fr/man6/*.6.gz; do
  out=$(LC_ALL=C.UTF-8 MANROFFSEQ='' man --warnings -E UTF-8 -l "$page" 2>&1 >/dev/null) && [ -z "$out" ] ||
    fail "man --warnings $page: $out"
done
echo "the package, its metadata and its manual pages pass"
