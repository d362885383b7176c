#!/usr/bin/env bash
# Full screen under a real window manager (openbox) on a private 1280 x 1024 X server: the launcher's
# " Full Screen " box and "Start Game" give a borderless window of the screen's size with the 1024 x 768
# scene centred at (128, 128); the game is played by relative mouse motion alone ("Game", e2 then e4: the
# pawn stands on e4 and the computer replies); Escape, "Menu", "Quit" and the quit window's "Quit" end it with
# status 0. Screenshots of the screen land in the screenshot folder.
# Usage: fullscreen_openbox.sh <zelmar-chess> <scene_points> <screenshot folder>
set -euo pipefail
program="$1"
points="$2"
shots="$3"
# shellcheck source=../real_clicks.sh
source "$(dirname "${BASH_SOURCE[0]}")/../real_clicks.sh"
mkdir -p "$shots"
rm -f "$shots"/fullscreen-*.png
copy_game "$program" "$work/game"
quiet_settings "$work/game"

# 1. The X server and openbox, once it has taken the screen (it names itself on the root window).
start_xvfb 1280x1024
start_openbox

# 2. The launcher: " Full Screen ", then "Start Game".
(cd "$work" && exec env NO_AT_BRIDGE=1 SDL_AUDIODRIVER=dummy "$work/game/zelmar-chess" >"$work/stdout" 2>"$work/stderr") &
pid=$!
await_launcher "Zelmar Chess"
click_launcher "$full_screen_box_x" "$full_screen_box_y"
click_launcher "$start_button_x" "$start_button_y"

# 3. A borderless full-screen window of the screen's size at the screen's corner.
await_game
full_screen() {
  eval "$(xdotool getwindowgeometry --shell "$game")"
  ((X == 0 && Y == 0 && WIDTH == 1280 && HEIGHT == 1024)) &&
    xprop -id "$game" _NET_WM_STATE | grep -q _NET_WM_STATE_FULLSCREEN &&
    xprop -id "$game" _NET_FRAME_EXTENTS | grep -q '= 0, 0, 0, 0$'
}
wait_for 20 full_screen || fail "not a borderless 1280 x 1024 window at (0, 0): $(xdotool getwindowgeometry "$game";
  xprop -id "$game" _NET_WM_STATE _NET_FRAME_EXTENTS)"

# 4. The title screen inside the scene's square at (128, 128); black around it.
shot() { import -window root -define png:compression-level=1 "$shots/fullscreen-$1.png"; }
title_drawn() {
  shot 1-title
  (($(colours "$shots/fullscreen-1-title.png" 128 128 1024 768) > 64)) &&
    (($(colours "$shots/fullscreen-1-title.png" 0 0 1280 128) == 1)) &&
    (($(colours "$shots/fullscreen-1-title.png" 0 0 128 1024) == 1)) &&
    (($(colours "$shots/fullscreen-1-title.png" 0 896 1280 128) == 1)) &&
    (($(colours "$shots/fullscreen-1-title.png" 1152 0 128 1024) == 1))
}
wait_for 20 title_drawn || fail "the title screen is not at (128, 128) with black around it"

# The game's cursor follows the pointer's motion only. It is first pushed into the scene's top-left corner
# (where it stops at 0, 0), again until it is seen there (the pointer may be held only a little after the
# title screen shows); from there every move is relative to the last, and a click lands where the cursor
# was when the button went down (motion after it counts only from the next tick).
# Screenshots compare inside the scene: a box of the logical screen moved by the origin.
scene_differs() { differs "$1" "$2" $((128 + $3)) $((128 + $4)) "$5" "$6" "${7:-200}"; }
in_corner() {
  xdotool mousemove_relative -- -3000 -3000
  shot 1-corner
  scene_differs "$shots/fullscreen-1-title.png" "$shots/fullscreen-1-corner.png" 0 0 24 24 20
}
wait_for 20 in_corner || fail "the game's cursor did not follow the relative motion into the corner"
rm -f "$shots/fullscreen-1-corner.png"
cursor_x=0 cursor_y=0
move_to() {
  xdotool mousemove_relative -- $(($1 - cursor_x)) $(($2 - cursor_y))
  cursor_x=$1 cursor_y=$2
}
# A click waits until the game draws its cursor at the target (the motion may reach it only a little later);
# a motion it missed is made again from the corner.
cursor_seen() {
  import -window root -define png:compression-level=1 "$work/cursor.png"
  scene_differs "$work/before.png" "$work/cursor.png" "$1" "$2" 16 16 20
}
click_at() {
  import -window root -define png:compression-level=1 "$work/before.png"
  for _ in 1 2 3; do
    move_to "$1" "$2"
    if wait_for 10 cursor_seen "$1" "$2"; then
      xdotool click 1
      return 0
    fi
    xdotool mousemove_relative -- -3000 -3000
    cursor_x=0 cursor_y=0
  done
  fail "the game's cursor did not reach ($1, $2)"
}

# 5. "Game", reached by relative motion alone, shows the board.
click_at 183 172
# The tool buttons appear where the title screen shows only its still wall (right of the corner where the
# cursor waited).
board_drawn() { shot 2-board; scene_differs "$shots/fullscreen-1-title.png" "$shots/fullscreen-2-board.png" 40 0 290 60; }
wait_for 10 board_drawn || fail "\"Game\" did not open the board (relative motion lost?)"

# 6. e2 then e4: the side panel shows the pawn, the pawn stands on e4 and leaves e2, and the computer replies
#    on Black's back ranks.
read -r _ e2x e2y < <("$points" square e2)
read -r _ e4x e4y < <("$points" square e4)
read -r bx by bw bh < <("$points" rows 7 8)
move_to 1000 740
shot 2-board
click_at "$e2x" "$e2y"
selected() { shot 3-e2-selected; scene_differs "$shots/fullscreen-2-board.png" "$shots/fullscreen-3-e2-selected.png" 630 10 90 90; }
wait_for 20 selected || fail "clicking e2 selected nothing"
click_at "$e4x" "$e4y"
move_to 1000 740
replied() { shot 4-reply; scene_differs "$shots/fullscreen-2-board.png" "$shots/fullscreen-4-reply.png" "$bx" "$by" "$bw" "$bh"; }
wait_for 60 replied || fail "no reply from the computer"
# The figure stands on e4 (its body rises above the square's centre) and no longer on e2.
scene_differs "$shots/fullscreen-2-board.png" "$shots/fullscreen-4-reply.png" $((e4x - 20)) $((e4y - 60)) 40 60 ||
  fail "no pawn on e4 after e2-e4"
scene_differs "$shots/fullscreen-2-board.png" "$shots/fullscreen-4-reply.png" $((e2x - 20)) $((e2y - 60)) 40 60 ||
  fail "the pawn is still on e2 after e2-e4"

# 7. Escape, "Menu", "Quit" and the quit window's "Quit" end the program with status 0.
xdotool key --clearmodifiers Escape
dialog_open() { shot 5-escape; scene_differs "$shots/fullscreen-4-reply.png" "$shots/fullscreen-5-escape.png" 287 277 450 200; }
wait_for 20 dialog_open || fail "Escape did not open the in-game window"
click_at 613 412
at_menu() { shot 6-menu; scene_differs "$shots/fullscreen-5-escape.png" "$shots/fullscreen-6-menu.png" 0 0 1024 768; }
wait_for 20 at_menu || fail "\"Menu\" did not return to the main menu"
click_at "$menu_x" "$(menu_item_y 5)"  # "Quit", below the "Continue" the game left offers
quit_open() { shot 7-quit-window; scene_differs "$shots/fullscreen-6-menu.png" "$shots/fullscreen-7-quit-window.png" 400 277 330 200; }
wait_for 20 quit_open || fail "\"Quit\" did not open the quit window"
click_at 562 412
expect_end 20 Quit
echo "full screen under openbox: all steps passed; screenshots in $shots"
