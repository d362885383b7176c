#!/usr/bin/env bash
# The game natively on Wayland, and on a Wayland display without input.
# 1. weston's X11 backend on a private X server gives a Wayland desktop with a keyboard and a pointer; the
#    game runs on it through GTK's and SDL's Wayland drivers with no X display named: the launcher appears,
#    "Start Game" opens the game, "Game" shows the board, Escape, "Menu" and "Quit" end it with status 0.
#    Screenshots of weston's window show what it drew.
# 2. weston's headless backend has no keyboard or pointer: with an X display beside it the game goes there
#    (its launcher is an X window); without one it says why on standard error and ends with status 1.
# Usage: wayland_weston.sh <zelmar-chess> <screenshot folder>
set -euo pipefail
program="$1"
shots="$2"
# shellcheck source=../real_clicks.sh
source "$(dirname "${BASH_SOURCE[0]}")/../real_clicks.sh"
command -v weston >/dev/null || fail "weston is missing (scripts/deps/desktop.txt)"
mkdir -p "$shots" "$work/runtime"
chmod 700 "$work/runtime"
rm -f "$shots"/wayland-*.png
copy_game "$program" "$work/game"
quiet_settings "$work/game"
export XDG_RUNTIME_DIR="$work/runtime"

# Starts weston with the backend and socket given and waits for its socket.
start_weston() {
  local backend="$1" socket="$2"; shift 2
  weston --backend="$backend" --socket="$socket" --idle-time=0 --no-config "$@" >"$work/weston-$socket.log" 2>&1 &
  started+=($!)
  listening() { [[ -S "$XDG_RUNTIME_DIR/$1" ]]; }
  wait_for 20 listening "$socket" || fail "weston ($backend) did not start: $(tail -20 "$work/weston-$socket.log")"
}
# Starts the game with the environment given (env syntax), from the work folder.
start_game() {
  (cd "$work" && exec env "$@" NO_AT_BRIDGE=1 SDL_AUDIODRIVER=dummy "$work/game/zelmar-chess" \
    >"$work/stdout" 2>"$work/stderr") &
  pid=$!
}

# --- 1. A Wayland desktop with input, inside a private X server.
start_xvfb 1280x1024
start_weston x11-backend.so zelmar-x11 --shell=kiosk-shell.so --width=1024 --height=768
output=""
find_output() { output="$(xdotool search --onlyvisible --class '^Weston Compositor$' 2>/dev/null | head -1)"; [[ -n "$output" ]]; }
wait_for 20 find_output || fail "weston's window did not appear"
shot() { import -window "$output" -define png:compression-level=1 "$shots/wayland-$1.png"; }
# Clicks at a point of weston's output (the kiosk shell shows the game's window over all of it).
click_at() { xdotool mousemove --window "$output" "$1" "$2" click 1; }

start_game -u DISPLAY WAYLAND_DISPLAY=zelmar-x11 GDK_BACKEND=wayland SDL_VIDEODRIVER=wayland
# The kiosk shell centres the launcher on its background; its window is what differs from the corner's colour.
launcher_x="" launcher_y=""
find_wayland_launcher() {
  shot 1-launcher
  local box
  box="$(convert "$shots/wayland-1-launcher.png" -format '%@' info: 2>/dev/null)"
  [[ "$box" =~ ^628x358\+([0-9]+)\+([0-9]+)$ ]] || return 1
  launcher_x="${BASH_REMATCH[1]}" launcher_y="${BASH_REMATCH[2]}"
  (($(colours "$shots/wayland-1-launcher.png" "$launcher_x" "$launcher_y" 628 358) > 16))
}
wait_for 20 find_wayland_launcher || fail "no launcher on weston's output: $(cat "$work/stderr")"
click_at $((launcher_x + start_button_x)) $((launcher_y + start_button_y))
title_drawn() {
  shot 2-title
  [[ "$(convert "$shots/wayland-2-title.png" -format '%@' info: 2>/dev/null)" != 628x358+* ]] &&
    (($(colours "$shots/wayland-2-title.png" 0 0 1024 768) > 1000))
}
wait_for 30 title_drawn || fail "the title screen did not replace the launcher: $(cat "$work/stderr")"
click_at 183 172
# The tool buttons appear where the title screen shows only its still wall.
board_drawn() { shot 3-board; differs "$shots/wayland-2-title.png" "$shots/wayland-3-board.png" 0 0 330 60; }
wait_for 20 board_drawn || fail "\"Game\" did not open the board"
xdotool key --window "$output" --clearmodifiers Escape 2>/dev/null
dialog_open() { shot 4-escape; differs "$shots/wayland-3-board.png" "$shots/wayland-4-escape.png" 287 277 450 200; }
wait_for 20 dialog_open || fail "Escape did not open the in-game window"
click_at 613 412
at_menu() { shot 5-menu; differs "$shots/wayland-4-escape.png" "$shots/wayland-5-menu.png" 0 0 1024 768; }
wait_for 20 at_menu || fail "\"Menu\" did not return to the main menu"
click_at "$menu_x" "$(menu_item_y 5)"  # "Quit", below the "Continue" the game left offers
quit_open() { shot 6-quit-window; differs "$shots/wayland-5-menu.png" "$shots/wayland-6-quit-window.png" 400 277 330 200; }
wait_for 20 quit_open || fail "\"Quit\" did not open the quit window"
click_at 562 412
expect_end 20 "Quit on Wayland"

# --- 2. A Wayland display without a keyboard or a pointer.
start_weston headless-backend.so zelmar-headless
# With the X display beside it, the launcher opens there.
start_game WAYLAND_DISPLAY=zelmar-headless GDK_BACKEND=wayland SDL_VIDEODRIVER=wayland
await_launcher "Zelmar Chess"
{ kill -KILL "$pid" && wait "$pid"; } 2>/dev/null || true
# Without one, the reason on standard error and status 1; never a crash.
status=0
env -u DISPLAY WAYLAND_DISPLAY=zelmar-headless GDK_BACKEND=wayland SDL_VIDEODRIVER=wayland NO_AT_BRIDGE=1 \
  "$work/game/zelmar-chess" >"$work/stdout" 2>"$work/stderr" || status=$?
((status == 1)) || fail "on a Wayland display without input: exit status $status: $(cat "$work/stderr")"
grep -q '^zelmar-chess: Failed initializing video device! (the Wayland display has no keyboard and pointer)$' \
  "$work/stderr" || fail "no reason given: $(cat "$work/stderr")"
echo "wayland: the game ran natively on weston; without input it went to X, and without X it ended cleanly"
