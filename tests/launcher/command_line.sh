#!/usr/bin/env bash
# The command line of the real zelmar-chess, with no display at all: --help prints the usage line and ends
# with status 0; an unknown option or a second file is refused with the usage line on the standard error and
# status 2, before any window could open.
# Usage: command_line.sh <zelmar-chess>
set -euo pipefail
program="$1"
fail() {
  echo "FAIL: $*" >&2
  exit 1
}
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
usage="usage: zelmar-chess [--help] [FILE.pgn]"

# Runs the program without a display; sets `status`.
run() {
  status=0
  env -u DISPLAY -u WAYLAND_DISPLAY "$program" "$@" >"$work/out" 2>"$work/err" || status=$?
}

run --help
((status == 0)) || fail "--help ended with status $status: $(cat "$work/err")"
[[ "$(head -1 "$work/out")" == "$usage" && ! -s "$work/err" ]] || fail "--help printed: $(cat "$work/out" "$work/err")"

for words in "--fullscreen" "-x game.pgn" "one.pgn two.pgn" "--help --bogus"; do
  # shellcheck disable=SC2086
  run $words
  ((status == 2)) || fail "'$words' ended with status $status"
  [[ ! -s "$work/out" && "$(tail -1 "$work/err")" == "$usage" ]] || fail "'$words' printed: $(cat "$work/out" "$work/err")"
done
grep -qx "zelmar-chess: unknown option '--bogus'" "$work/err" || fail "the refusal: $(cat "$work/err")"
echo "command line: all checks passed"
