#!/usr/bin/env bash
# Plays the real zelmar-chess with real mouse clicks and keys on the X display, started from a folder that
# is not its own: "Start Game" in the launcher, "Game" in the main menu, e2 then e4 on the board; waits for
# the computer's reply; then Escape, "Menu", "Quit" and the quit window's "Quit": the program must end
# with status 0. Every step leaves a screenshot in the screenshot folder.
# Usage: game_clicks.sh <zelmar-chess> <scene_points> <screenshot folder>
set -euo pipefail

program="$1"
points="$2"
shots="$3"
fail() { echo "FAIL: $*" >&2; exit 1; }

[[ -n "${DISPLAY:-}" ]] || fail "no X display (run under xvfb-run)"
command -v xdotool >/dev/null || fail "xdotool is missing"
command -v import >/dev/null || fail "ImageMagick is missing"
xdotool getmouselocation >/dev/null 2>&1 || fail "cannot reach the X display $DISPLAY"

# The program and its data in a private folder with known settings (perspective board, quick computer);
# it is started from yet another folder.
work="$(mktemp -d)"
pid=""
cleanup() {
  if [[ -n "$pid" ]] && kill -0 "$pid" 2>/dev/null; then kill "$pid"; fi
  rm -rf "$work"
}
trap cleanup EXIT
mkdir -p "$work/game" "$work/elsewhere" "$shots"
bin="$(dirname "$program")"
cp "$program" "$work/game/zelmar-chess"
for f in zelmar.dat zelmar.def title_theme.mp3 main_theme.mp3; do
  [[ -f "$bin/$f" ]] || fail "$f is missing beside the program"
  cp "$bin/$f" "$work/game/"
done
printf '[Options]\nArmy=1\nMode=1\nDepth=2\nBackground=1\nClassic=1\nBoard=2\nMusic=2\nSound=2\nInversion=2\nPriority=3\nLang=1\n' \
  >"$work/game/config.ini"
rm -f "$shots"/game-*.png

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
shot() { import -window "$game" "$shots/game-$1.png"; }

# 1. The launcher appears; "Start Game" closes it and the game window opens.
(cd "$work/elsewhere" && exec env NO_AT_BRIDGE=1 "$work/game/zelmar-chess" >"$work/stdout" 2>"$work/stderr") &
pid=$!
launcher=""
find_launcher() { launcher="$(window_named "Zelmar Chess")"; [[ -n "$launcher" ]]; }
wait_for 20 find_launcher || fail "the launcher did not appear"
eval "$(xdotool getwindowgeometry --shell "$launcher")"
frame=$(((WIDTH - 628) / 2))
top=$((HEIGHT - frame - 358))
panel_ready() { import -window "$launcher" "$work/launcher.png"; [[ "$(convert "$work/launcher.png" -format %k info:)" -gt 16 ]]; }
wait_for 10 panel_ready || fail "the launcher was not drawn"
cp "$work/launcher.png" "$shots/game-1-launcher.png"
xdotool mousemove --window "$launcher" $((frame + 180 + 16 + 120)) $((top + 90 + 121 + 13)) click 1
game=""
find_game() { game="$(window_named "Zelmar Chess II")"; [[ -n "$game" ]]; }
wait_for 20 find_game || fail "the game window did not open after Start Game"

# Clicks at a point of the logical screen (the client area in a window) and lets the game see it.
click_at() {
  xdotool mousemove --window "$game" "$1" "$2"
  sleep 0.2
  xdotool click 1
  sleep 0.3
}
# Colours in a box of a screenshot (X Y W H).
colours() { convert "$1" -crop "$4x$5+$2+$3" +repage -format %k info:; }
differs() {  # two screenshots differ inside a box
  convert "$1" -crop "$5x$6+$3+$4" +repage "$work/a.png"
  convert "$2" -crop "$5x$6+$3+$4" +repage "$work/b.png"
  local n
  n="$(compare -metric AE "$work/a.png" "$work/b.png" null: 2>&1 || true)"
  [[ "${n%% *}" =~ ^[0-9]+$ ]] && ((${n%% *} > 200))
}

# 2. The title screen with the main menu is drawn.
title_drawn() { shot 2-title; (($(colours "$shots/game-2-title.png" 0 0 1024 768) > 64)); }
wait_for 20 title_drawn || fail "the title screen was not drawn"
# The resident memory, and the part of it that is the program's own (not pages of shared libraries).
rss() {
  awk '/^VmRSS:/ { r = $2 } /^RssAnon:/ { a = $2 } END { printf "%.1f MB (%.1f MB its own)", r / 1024, a / 1024 }' \
    "/proc/$pid/status"
}
rss_title="$(rss)"

# 3. "Game": the board appears.
click_at 183 172
board_drawn() { shot 3-board; differs "$shots/game-2-title.png" "$shots/game-3-board.png" 0 0 1024 768; }
wait_for 10 board_drawn || fail "\"Game\" did not open the board"
read -r _ e2x e2y < <("$points" square e2)
read -r _ e4x e4y < <("$points" square e4)
read -r bx by bw bh < <("$points" rows 7 8)
xdotool mousemove --window "$game" 1000 740  # off the board
sleep 0.5
shot 3-board

# 4. e2 then e4 at the square centres: the side panel shows the pawn, then the pawn glides over.
click_at "$e2x" "$e2y"
selected() { shot 4-e2-selected; differs "$shots/game-3-board.png" "$shots/game-4-e2-selected.png" 630 10 90 90; }
wait_for 20 selected || fail "clicking e2 selected nothing"
click_at "$e4x" "$e4y"
xdotool mousemove --window "$game" 1000 740
played() { shot 5-e4-played; differs "$shots/game-3-board.png" "$shots/game-5-e4-played.png" 0 400 640 200; }
wait_for 20 played || fail "e2-e4 changed nothing"

# 5. The computer's reply: Black's two back ranks change.
replied() { shot 6-reply; differs "$shots/game-3-board.png" "$shots/game-6-reply.png" "$bx" "$by" "$bw" "$bh"; }
wait_for 60 replied || fail "no reply from the computer"

# 6. Escape opens the in-game window, "Menu" goes back to the main menu, "Quit" opens the quit window and
# its "Quit" ends the program. Each step waits until the screen shows that it was taken (on the title
# screen, right of the circling figures).
xdotool windowfocus --sync "$game" 2>/dev/null || true
xdotool key --clearmodifiers Escape
dialog_open() { shot 7-escape; differs "$shots/game-6-reply.png" "$shots/game-7-escape.png" 287 277 450 200; }
wait_for 20 dialog_open || fail "Escape did not open the in-game window"
click_at 613 412
at_menu() { shot 8-menu; differs "$shots/game-7-escape.png" "$shots/game-8-menu.png" 0 0 1024 768; }
wait_for 20 at_menu || fail "\"Menu\" did not return to the main menu"
rss_game="$(rss)"
click_at 183 292
quit_open() { shot 9-quit-window; differs "$shots/game-8-menu.png" "$shots/game-9-quit-window.png" 400 277 330 200; }
wait_for 20 quit_open || fail "\"Quit\" did not open the quit window"
xdotool mousemove --window "$game" 562 412
sleep 0.2
xdotool click 1
ended() { ! kill -0 "$pid" 2>/dev/null; }
wait_for 20 ended || fail "the program did not end after Quit"
status=0
wait "$pid" || status=$?
pid=""
((status == 0)) || fail "exit status $status: $(cat "$work/stderr")"
echo "game clicks: resident memory $rss_title at the title screen, $rss_game back from the game"
echo "game clicks: all steps passed; screenshots in $shots"
