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
# shellcheck source=../../real_clicks.sh
source "$(dirname "${BASH_SOURCE[0]}")/../../real_clicks.sh"
need_display
# The program runs in a process group of its own: all of the group goes at exit.
trap '[[ -z "$pid" ]] || kill -KILL -- "-$pid" 2>/dev/null || true; end_session' EXIT

found=""
find_window() { found="$(window_named "$1")"; [[ -n "$found" ]]; }

# A fresh copy in its own folder with settings that make the computer think long as White; `data` no
# leaves the pictures out, so that the device's start fails.
start() {
  local data="$1"
  rm -rf "$work/game"
  if [[ "$data" == yes ]]; then
    copy_game "$program" "$work/game"
  else
    mkdir -p "$work/game"
    cp "$program" "$work/game/zelmar-chess"
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
  await_launcher "Zelmar Chess"
  click_launcher "$start_button_x" "$start_button_y"
}

# The title screen drawn in the game window.
title_drawn() {
  import -window "$game" "$work/title.png" 2>/dev/null && (($(colours "$work/title.png" 0 0 1024 768) > 64))
}
# The screen has changed from the title picture.
screen_changed() {
  import -window "$game" "$work/now.png" 2>/dev/null || return 1
  differs "$work/title.png" "$work/now.png" 0 0 1024 768 2000
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
await_game
wait_for 20 title_drawn || fail "the title screen was not drawn"
finish "title screen" TERM 0

# 4. A game with the computer thinking (White at level 8), then 5. the in-game window open over it.
for signal in TERM INT; do
  start yes
  start_game
  await_game
  wait_for 20 title_drawn || fail "the title screen was not drawn"
  click_at 183 172
  wait_for 20 screen_changed || fail "\"Game\" did not open the board"
  if [[ "$signal" == INT ]]; then
    cp "$work/now.png" "$work/title.png"
    xdotool windowactivate --sync "$game" 2>/dev/null || true
    xdotool key --window "$game" Escape
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
