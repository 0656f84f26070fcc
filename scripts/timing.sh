# Shared by the test scripts: `took PART` prints the part's wall-clock time and processor time.
# SPDX-License-Identifier: GPL-3.0-or-later
# took PART: the part's wall-clock time and the processor time of its
# commands (from the shell's own count of its children).
timesf=$(mktemp)
trap 'rm -f "$timesf"' EXIT
cpu() {
  times >"$timesf"
  CPU=$(awk 'NR == 2 { split($1, u, "m"); split($2, s, "m"); printf "%d", u[1] * 60 + u[2] + s[1] * 60 + s[2] }' "$timesf")
}
cpu
last=$SECONDS last_cpu=$CPU
took() {
  cpu
  echo "-- $1 : $((SECONDS - last)) s ($((CPU - last_cpu)) s de processeur)" >&2
  last=$SECONDS last_cpu=$CPU
}
