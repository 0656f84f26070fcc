#!/usr/bin/env bash
# Draws every level of a source file on one PNG, with its index and name.
# SPDX-License-Identifier: GPL-3.0-or-later
# usage: contact_sheet.sh TOOL SOURCE OUT.png
set -euo pipefail
if [ $# -ne 3 ]; then
  echo "usage: $0 TOOL SOURCE OUT.png" >&2
  exit 2
fi
tool=$1 source=$2 out=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$tool" render "$source" "$work"
args=()
n=0
while IFS= read -r label; do
  args+=(-label "$label" "$work/$(printf %02d "$n").ppm")
  n=$((n + 1))
done < "$work/labels.txt"
montage "${args[@]}" -tile 8x -geometry +6+6 -font DejaVu-Sans -pointsize 12 \
  -background '#d8d8d8' "$work/sheet.png"
mv "$work/sheet.png" "$out"
