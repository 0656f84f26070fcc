#!/usr/bin/env bash
# Instruction counts of the solver counting the benchmark shapes, under callgrind.
# SPDX-License-Identifier: GPL-3.0-or-later
# usage: callgrind.sh TOOL   (the built tessalor-levels)
set -euo pipefail
if [ $# -ne 1 ]; then
  echo "usage: $0 TOOL" >&2
  exit 2
fi
tool=$1
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for shape in 6x10 10x6 8x8-centre-hole; do
  valgrind --tool=callgrind --callgrind-out-file="$work/$shape.out" \
    "$tool" count "$here/shapes/$shape.txt" > "$work/$shape.txt" 2> "$work/$shape.log"
  ir=$(callgrind_annotate "$work/$shape.out" 2>/dev/null | awk '/PROGRAM TOTALS/ {gsub(",", "", $1); print $1}')
  printf '%-16s %15s Ir   (%s)\n' "$shape" "$ir" "$(tr '\n' ' ' < "$work/$shape.txt")"
done
