#!/bin/sh
# Writes a catalog's entries as "context^Dmsgid<TAB>translation<NUL>" records: the picture and help-page words for
# the asset generator, or (with the context pattern '.*') every entry for the fit test.
# SPDX-License-Identifier: GPL-3.0-or-later
# Usage: words.sh LANG.po OUTPUT [CONTEXT_PATTERN]
set -eu
if [ -n "${3:-}" ]; then msggrep --msgid -E -e "" "$1"; else msggrep --msgctxt -E -e '^(picture|help)$' "$1"; fi 2>/dev/null |
  msgexec -i - sh -c 'if [ -n "$MSGEXEC_MSGID" ]; then
      printf "%s\004%s\t%s\000" "${MSGEXEC_MSGCTXT:-}" "$MSGEXEC_MSGID" "$(cat)"; fi' > "$2.tmp"
mv "$2.tmp" "$2"
