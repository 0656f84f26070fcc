#!/bin/sh
# Writes the picture and help-page words of one catalog, "context^Dtext<TAB>translation" a line, for the asset generator.
# SPDX-License-Identifier: GPL-3.0-or-later
# Usage: words.sh LANG.po OUTPUT
set -eu
msggrep --msgctxt -E -e '^(picture|help)$' "$1" |
  msgexec -i - sh -c 'if [ -n "${MSGEXEC_MSGCTXT:-}" ]; then
      printf "%s\004%s\t%s\n" "$MSGEXEC_MSGCTXT" "$MSGEXEC_MSGID" "$(cat)"; fi' > "$2.tmp"
mv "$2.tmp" "$2"
