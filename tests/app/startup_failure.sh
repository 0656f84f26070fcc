#!/usr/bin/env bash
# The real program without its background picture: a French message naming
# the file on stderr, status 1, no save directory made (an unreadable pack
# leaves by the same way, see LevelPackTest). Runs on SDL's dummy video driver, where no message box opens.
set -u
exe=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
cp "$exe" "$dir/"
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy XDG_DATA_HOME="$dir/xdg" TESSALOR_LOCK_FILE="$dir/lock"
fail=0

"$dir/tessalor" 2>"$dir/err1"; status=$?
if [ "$status" -ne 1 ]; then echo "missing background: status $status, expected 1"; fail=1; fi
if ! grep -q "image de fond.*$dir/tessa32c.dat" "$dir/err1"; then
  echo "missing background: no message naming the file:"; cat "$dir/err1"; fail=1
fi
if [ -e "$dir/xdg" ]; then echo "missing background: the save directory was made"; fail=1; fi

exit $fail
