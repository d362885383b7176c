# shellcheck shell=bash disable=SC2034
# Shared start of the real-click runs: the game played with real mouse clicks and keys (xdotool) on the X
# display and watched through screenshots (ImageMagick). Sourced by each run after `set -euo pipefail`; it
# checks the display and the tools, makes the private folder $work, and ends the program under test ($pid)
# and removes $work on exit. It sets variables for the run (SC2034 above).

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

[[ -n "${DISPLAY:-}" ]] || fail "no X display (run under xvfb-run)"
command -v xdotool >/dev/null || fail "xdotool is missing"
command -v import >/dev/null || fail "ImageMagick is missing"
xdotool getmouselocation >/dev/null 2>&1 || fail "cannot reach the X display $DISPLAY"

work="$(mktemp -d)"
pid=""
# The signal that ends a program still running at exit; a run whose program may sit in a modal launcher sets
# KILL, since the game turns SIGTERM into a quit event that a modal launcher never reads.
stop_signal=TERM
cleanup() {
  if [[ -n "$pid" ]] && kill -0 "$pid" 2>/dev/null; then kill "-$stop_signal" "$pid"; fi
  rm -rf "$work"
}
trap cleanup EXIT

# The files the game reads beside its program.
game_data_files=(zelmar.dat zelmar.def title_theme.mp3 main_theme.mp3)

# Copies the program and its data files into a folder.
copy_game() {
  local program="$1" folder="$2" f
  cp "$program" "$folder/zelmar-chess"
  for f in "${game_data_files[@]}"; do
    [[ -f "$(dirname "$program")/$f" ]] || fail "$f is missing beside the program"
    cp "$(dirname "$program")/$f" "$folder/"
  done
}

# Polls a command every tenth of a second until it succeeds or `seconds` have passed; the limits are
# generous so that only a hang runs out on a loaded machine.
wait_for() {
  local seconds="$1"
  shift
  local tries=$((seconds * 10))
  until "$@"; do
    ((tries-- > 0)) || return 1
    sleep 0.1
  done
}

# The program's visible window named exactly $1 (empty when there is none).
window_named() { xdotool search --onlyvisible --pid "$pid" --name "^$1\$" 2>/dev/null | head -1; }

# Whether the program has ended.
ended() { ! kill -0 "$pid" 2>/dev/null; }

# Waits for the program, which has ended, and sets $status to its exit status.
collect_status() {
  status=0
  wait "$pid" || status=$?
  pid=""
}

# The launcher's layout in its window $1: a 628 x 358 client area under the title bar, inside an even frame.
# Sets WIDTH, HEIGHT, frame and top.
launcher_geometry() {
  eval "$(xdotool getwindowgeometry --shell "$1")"
  frame=$(((WIDTH - 628) / 2))
  top=$((HEIGHT - frame - 358))
}

# Clicks "Start Game" in the launcher window $1 (after launcher_geometry).
click_start_game() { xdotool mousemove --window "$1" $((frame + 180 + 16 + 120)) $((top + 90 + 121 + 13)) click 1; }

# Clicks at a point of the logical screen (the client area of the game window $game) and lets the game see it.
click_at() {
  xdotool mousemove --window "${game:?no game window yet}" "$1" "$2"
  sleep 0.2
  xdotool click 1
  sleep 0.3
}

# The number of colours in a box (X Y W H) of a screenshot.
colours() { convert "$1" -crop "$4x$5+$2+$3" +repage -format %k info:; }

# Whether two screenshots differ inside a box (X Y W H) by more than a few pixels.
differs() {
  convert "$1" -crop "$5x$6+$3+$4" +repage "$work/a.png"
  convert "$2" -crop "$5x$6+$3+$4" +repage "$work/b.png"
  local n
  n="$(compare -metric AE "$work/a.png" "$work/b.png" null: 2>&1 || true)"
  [[ "${n%% *}" =~ ^[0-9]+$ ]] && ((${n%% *} > 200))
}
