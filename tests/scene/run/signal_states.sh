#!/usr/bin/env bash
# The real zelmar-chess ends promptly and cleanly on SIGTERM and SIGINT in every state a session can be in:
# the launcher, the launcher's quit question, the title screen, a game with the computer thinking, the
# in-game window open over it, and the "Failed initializing video device!" box. Each case starts a fresh
# copy of the program in its own process group, brings it to the state by real clicks and keys, sends the
# signal and checks: the program ends within the deadline, with status 0 (the end was asked for, even over
# the video failure's box), nothing of its process group is left, and config.ini is byte for byte what it was.
# Usage: signal_states.sh <zelmar-chess>
set -euo pipefail

program="$1"
fail() { echo "FAIL: $*" >&2; exit 1; }

[[ -n "${DISPLAY:-}" ]] || fail "no X display (run under xvfb-run)"
command -v xdotool >/dev/null || fail "xdotool is missing"
command -v import >/dev/null || fail "ImageMagick is missing"

work="$(mktemp -d)"
pid=""
cleanup() {
  if [[ -n "$pid" ]] && kill -0 "$pid" 2>/dev/null; then kill -KILL -- "-$pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT
bin="$(dirname "$program")"

# Polls a command every tenth of a second until it succeeds or `seconds` have passed.
wait_for() {
  local seconds="$1"; shift
  local tries=$((seconds * 10))
  until "$@"; do
    ((tries-- > 0)) || return 1
    sleep 0.1
  done
}
window_named() { xdotool search --onlyvisible --pid "$pid" --name "^$1\$" 2>/dev/null | head -1; }
found=""
find_window() { found="$(window_named "$1")"; [[ -n "$found" ]]; }
ended() { ! kill -0 "$pid" 2>/dev/null; }

# A fresh copy in its own folder with settings that make the computer think long as White; `data` no
# leaves the pictures out, so that the device's start fails.
start() {
  local data="$1"
  rm -rf "$work/game"
  mkdir -p "$work/game"
  cp "$program" "$work/game/zelmar-chess"
  if [[ "$data" == yes ]]; then
    for f in zelmar.dat zelmar.def title_theme.mp3 main_theme.mp3; do cp "$bin/$f" "$work/game/"; done
  fi
  printf '[Options]\nArmy=2\nMode=2\nDepth=8\nBackground=1\nClassic=1\nBoard=2\nMusic=2\nSound=2\nInversion=2\nPriority=3\nLang=1\n' \
    >"$work/game/config.ini"
  cp "$work/game/config.ini" "$work/config.before"
  setsid env NO_AT_BRIDGE=1 SDL_AUDIODRIVER=dummy "$work/game/zelmar-chess" >"$work/stdout" 2>"$work/stderr" &
  pid=$!
  find_window "Zelmar Chess" || wait_for 20 find_window "Zelmar Chess" || fail "the launcher did not appear"
}

# "Start Game" in the launcher; the game window (or the error box) opens.
start_game() {
  local launcher="$found"
  eval "$(xdotool getwindowgeometry --shell "$launcher")"
  local frame=$(((WIDTH - 628) / 2))
  local top=$((HEIGHT - frame - 358))
  panel_ready() { import -window "$launcher" "$work/launcher.png" && [[ "$(convert "$work/launcher.png" -format %k info:)" -gt 16 ]]; }
  wait_for 10 panel_ready || fail "the launcher was not drawn"
  xdotool mousemove --window "$launcher" $((frame + 180 + 16 + 120)) $((top + 90 + 121 + 13)) click 1
}

# The title screen drawn in the game window.
title_drawn() {
  import -window "$found" "$work/title.png" 2>/dev/null && (($(convert "$work/title.png" -format %k info:) > 64))
}
# The screen has changed from the title picture.
screen_changed() {
  import -window "$found" "$work/now.png" 2>/dev/null || return 1
  local n
  n="$(compare -metric AE "$work/title.png" "$work/now.png" null: 2>&1 || true)"
  [[ "${n%% *}" =~ ^[0-9]+$ ]] && ((${n%% *} > 2000))
}
click_at() {
  xdotool mousemove --window "$found" "$1" "$2"
  sleep 0.2
  xdotool click 1
}

# Sends the signal and checks the end: in time, the expected status, no process of its group left, the
# settings file untouched.
finish() {
  local state="$1" signal="$2" expected="$3"
  local sent=$SECONDS
  kill "-$signal" "$pid"
  wait_for 10 ended || fail "$state: still running 10 s after SIG$signal"
  local status=0
  wait "$pid" || status=$?
  ((status == expected)) || fail "$state: exit status $status after SIG$signal (wanted $expected): $(cat "$work/stderr")"
  if pgrep -g "$pid" >/dev/null; then fail "$state: a process of its group is left behind: $(pgrep -g "$pid" -a)"; fi
  cmp -s "$work/config.before" "$work/game/config.ini" || fail "$state: config.ini changed"
  printf '%-40s SIG%-4s ended in %2d s, status %d, nothing left behind\n' "$state" "$signal" $((SECONDS - sent)) "$status"
  pid=""
}

# 1. The launcher.
start yes
finish "launcher" TERM 0

# 2. The launcher's quit question (Escape asks it).
start yes
xdotool windowactivate --sync "$found" 2>/dev/null || true
xdotool key --window "$found" Escape
wait_for 10 find_window "Zelmar Chess" || true
question() { [[ "$(xdotool search --onlyvisible --pid "$pid" --name "^Zelmar Chess\$" 2>/dev/null | wc -l)" -ge 2 ]]; }
wait_for 10 question || fail "Escape did not ask the quit question"
finish "launcher, quit question open" INT 0

# 3. The title screen.
start yes
start_game
wait_for 20 find_window "Zelmar Chess II" || fail "the game window did not open"
wait_for 20 title_drawn || fail "the title screen was not drawn"
finish "title screen" TERM 0

# 4. A game with the computer thinking (White at level 8), then 5. the in-game window open over it.
for signal in TERM INT; do
  start yes
  start_game
  wait_for 20 find_window "Zelmar Chess II" || fail "the game window did not open"
  wait_for 20 title_drawn || fail "the title screen was not drawn"
  click_at 183 172
  wait_for 20 screen_changed || fail "\"Game\" did not open the board"
  if [[ "$signal" == INT ]]; then
    cp "$work/now.png" "$work/title.png"
    xdotool windowactivate --sync "$found" 2>/dev/null || true
    xdotool key --window "$found" Escape
    wait_for 20 screen_changed || fail "Escape did not open the in-game window"
    finish "game, computer thinking, in-game window" INT 0
  else
    finish "game, computer thinking" TERM 0
  fi
done

# 6. The video failure's box (the pictures are missing).
start no
start_game
box() { find_window "Zelmar Chess II"; }
wait_for 20 box || fail "the video failure's box did not appear"
finish "\"Failed initializing video device!\" box" TERM 0
echo "signal states: all passed"
