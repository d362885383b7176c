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
# shellcheck source=../../real_clicks.sh
source "$(dirname "${BASH_SOURCE[0]}")/../../real_clicks.sh"
need_display

# The program and its data in a private folder with known settings (perspective board, quick computer);
# it is started from yet another folder.
mkdir -p "$work/elsewhere" "$shots"
copy_game "$program" "$work/game"
quiet_settings "$work/game"
rm -f "$shots"/game-*.png

shot() { import -window "$game" "$shots/game-$1.png"; }

# 1. The launcher appears; "Start Game" closes it and the game window opens.
(cd "$work/elsewhere" && exec env NO_AT_BRIDGE=1 "$work/game/zelmar-chess" >"$work/stdout" 2>"$work/stderr") &
pid=$!
await_launcher "Zelmar Chess"
cp "$work/launcher.png" "$shots/game-1-launcher.png"
click_launcher "$start_button_x" "$start_button_y"
await_game

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
click_at "$menu_x" "$(menu_item_y 5)"  # "Quit", below the "Continue" the game left offers
quit_open() { shot 9-quit-window; differs "$shots/game-8-menu.png" "$shots/game-9-quit-window.png" 400 277 330 200; }
wait_for 20 quit_open || fail "\"Quit\" did not open the quit window"
xdotool mousemove --window "$game" 562 412
sleep 0.2
xdotool click 1
expect_end 20 Quit
echo "game clicks: resident memory $rss_title at the title screen, $rss_game back from the game"
echo "game clicks: all steps passed; screenshots in $shots"
