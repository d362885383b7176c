#!/usr/bin/env bash
# The real zelmar-chess keeps its game through every way a session ends and continues it exactly, played with
# real clicks and keys on a private X server under a window manager (openbox, for the close box):
#  1. a fresh folder shows the main menu without "Continue"; two moves by clicks, two steps back and two
#     forward, then SIGTERM as at a logout: the current-game file holds the line, the next start shows
#     "Continue" first, and it brings back the same position, the same clocks and the same take-back line
#     (every step compared with the screenshots of the uninterrupted game);
#  2. the same after "Menu" in the in-game window and the quit window's "Quit", and after the window's close
#     box with the player stepped back;
#  3. the main menu with and without "Continue" in English and Russian, kept as screenshots (menu-*.png), with
#     the PGN files the game wrote in each mode (kept-standard.pgn, kept-zelmar.pgn);
#  4. PGN files on the command line: a finished standard game opens at its end and the arrows step through it,
#     an unfinished Zelmar game goes on with the player on the side to move, and a refused file is named with
#     its reason in the launcher (screenshot), which still starts the game without it.
# Usage: kept_game.sh <zelmar-chess> <zelmar-engine> <scene_points> <screenshot folder>
set -euo pipefail
program="$1"
engine="$2"
points="$3"
shots="$4"
# shellcheck source=../../real_clicks.sh
source "$(dirname "${BASH_SOURCE[0]}")/../../real_clicks.sh"
mkdir -p "$shots"
rm -f "$shots"/kept-*.png "$shots"/kept-*.pgn "$shots"/menu-*.png

start_xvfb 1280x1024
start_openbox

folder="$work/game"
copy_game "$program" "$folder"
quiet_settings "$folder"
current="$folder/current-game.pgn"

# A shot kept in the screenshot folder, compressed as usual.
keep() { convert "$work/$1.png" "$shots/$2.png"; }
# Screenshots of the game window in $work, by name (compressed little: most are taken while waiting).
shot() { import -window "$game" -define png:compression-level=1 "$work/$1.png"; }
# Whether two shots are alike (at most 200 pixels apart, or $4) in a box "X Y W H" ($3).
alike() {
  local box
  read -ra box <<<"$3"
  ! differs "$work/$1.png" "$work/$2.png" "${box[@]}" "${4:-200}"
}
# The board with its figures, without the tool buttons, the side panel's portrait of the last piece moved, the
# clocks and the status line.
readonly board_box="0 110 740 590"
# The two clock plates.
readonly white_clock_box="664 713 170 50" black_clock_box="844 713 170 50"
crop() {
  local box
  read -ra box <<<"$3"
  convert "$work/$1.png" -crop "${box[2]}x${box[3]}+${box[0]}+${box[1]}" +repage "$work/$2.png"
}

# The game's cursor rests off the board, the portrait and the clocks.
park() {
  xdotool mousemove --window "$game" 1015 300
  sleep 0.3
}
# Keys go to the game window; a key pressed again within a tick of the game would not count twice, so each
# step waits for the screen to settle.
press() {
  xdotool windowactivate --sync "$game" 2>/dev/null || true
  xdotool key --clearmodifiers "$@"
}
# Waits until the screen stands still (two shots alike in the board's box) and keeps it as $1.
await_still() {
  local name="$1"
  shot "$name-before"
  still() {
    shot "$name"
    alike "$name-before" "$name" "$board_box" 0 && return 0
    cp "$work/$name.png" "$work/$name-before.png"
    return 1
  }
  sleep 0.3
  wait_for 20 still || fail "the screen did not settle for $name"
}
# The title screen with the main menu, drawn; kept as $1.
await_title() {
  local name="$1"
  title_drawn() { shot "$name"; (($(colours "$work/$name.png" 0 0 1024 768) > 64)); }
  wait_for 30 title_drawn || fail "the title screen was not drawn: $(cat "$work/stderr")"
  sleep 0.5
  shot "$name"
}
# Clicks item $1 of the main menu.
menu_click() {
  click_at "$menu_x" "$(menu_item_y "$1")"
}
# Plays a move by clicks on its two squares and waits until the computer has answered: the current-game
# file, written after every move of either side, holds $3 half-moves; then the screen settles.
play() {
  local x y plies="$3"
  read -r _ x y < <("$points" square "$1")
  click_at "$x" "$y"
  read -r _ x y < <("$points" square "$2")
  click_at "$x" "$y"
  park
  replied() { [[ "$(kept 2>/dev/null)" == *", $plies half-moves,"* ]]; }
  wait_for 60 replied || fail "no reply to $1-$2 kept: $(kept 2>&1)"
  await_still after-reply
}
# What the current-game file holds, as the engine tool reads it.
kept() { "$engine" pgn "$current"; }
kept_tag() { sed -n "s/^\\[$1 \"\\(.*\\)\"\\]\$/\\1/p" "$current"; }
# Checks that the file reads as one game of $1 half-moves, the position shown after $2 of them.
expect_kept() {
  [[ -f "$current" ]] || fail "no current-game file after $3"
  local summary
  summary="$(kept)" || fail "the current-game file after $3 does not read: $summary"
  [[ "$summary" == "game 1 (line 1): *, $1 half-moves"* && "$(wc -l <<<"$summary")" == 1 ]] ||
    fail "after $3 the current-game file holds: $summary"
  local shown
  shown="$(kept_tag ZelmarShownPly)"
  [[ "${shown:-$1}" == "$2" ]] || fail "after $3 the file shows half-move ${shown:-$1}, not $2"
}
# Sends a signal to the program and waits for its end with status 0.
signal_end() {
  kill "-$1" "$pid"
  expect_end 20 "SIG$1"
}

# --- 1. The first start: no game is kept, the menu is as it always was. ---
[[ ! -e "$current" ]] || fail "stale current-game file"
launch_game "$folder"
pass_launcher
await_title menu-plain
keep menu-plain menu-english
menu_click 1
park
await_still p0
crop p0 clock-zero "$white_clock_box"
play e2 e4 2
play d2 d4 4
await_still p4
# The take-back line of the uninterrupted game: two steps back, two forward.
press Left
await_still p3
press Left
await_still p2
press Right
await_still p3-again
alike p3 p3-again "$board_box" || fail "Right did not bring back the position after one step back"
press Right
await_still p4-again
alike p4 p4-again "$board_box" || fail "Right did not bring back the last position"
# SIGTERM just after a tick of White's clock, so that the clocks shown are the ones kept.
shot tick-a
crop tick-a white-a "$white_clock_box"
ticked() {
  shot tick-b
  crop tick-b white-b "$white_clock_box"
  ! alike white-a white-b "0 0 170 50" 0
}
wait_for 5 ticked || fail "White's clock does not run"
crop tick-b black-before "$black_clock_box"
signal_end TERM
expect_kept 4 4 "SIGTERM"
white_kept="$(kept_tag WhiteClock)"
black_kept="$(kept_tag BlackClock)"
[[ "$white_kept" =~ ^[0-9]+$ && "$black_kept" =~ ^[0-9]+$ ]] || fail "clocks kept as '$white_kept' and '$black_kept'"
((white_kept > 0)) || fail "White's clock was kept at 0"

# Restarted: "Continue" comes first, and brings the game back as it was.
launch_game "$folder"
pass_launcher
await_title menu-continue
keep menu-continue menu-english-continue
alike menu-plain menu-continue "$menu_box" && fail "no \"Continue\" in the main menu"
menu_click 1
park
shot continued
crop continued white-after "$white_clock_box"
crop continued black-after "$black_clock_box"
await_still c4
alike p4 c4 "$board_box" || fail "\"Continue\" did not bring back the position"
alike black-before black-after "0 0 170 50" 0 || fail "Black's clock changed over the restart"
# White's clock goes on from the kept time: what was shown at the end, or a later second, never 0 or earlier.
alike white-a white-after "0 0 170 50" 0 && fail "White's clock went back a second"
alike clock-zero white-after "0 0 170 50" 0 && fail "White's clock started again from 0"
press Left
await_still c3
alike p3 c3 "$board_box" || fail "the first step back differs from the uninterrupted game's"
press Left
await_still c2
alike p2 c2 "$board_box" || fail "the second step back differs from the uninterrupted game's"
press Right
await_still c3-again
press Right
await_still c4-again
alike p4 c4-again "$board_box" || fail "the steps forward differ from the uninterrupted game's"

# --- 2a. One more move, then "Menu" and the quit window. ---
play g1 f3 6
await_still p6
press Left
await_still p5
press Right
await_still p6-again
press Escape
await_still dialog
click_at 613 412
await_title menu-left
alike menu-continue menu-left "$menu_box" 0 || fail "the main menu after \"Menu\" does not show \"Continue\""
menu_click 5
quit_open() { shot quit-window; differs "$work/menu-left.png" "$work/quit-window.png" 400 277 330 200; }
wait_for 20 quit_open || fail "\"Quit\" did not open the quit window"
xdotool mousemove --window "$game" 562 412
sleep 0.2
xdotool click 1
expect_end 20 "the quit window's Quit"
expect_kept 6 6 "the quit window"
(($(kept_tag WhiteClock) >= white_kept)) || fail "White's clock went back over the continued game"
launch_game "$folder"
pass_launcher
await_title menu-again
menu_click 1
park
await_still c6
alike p6 c6 "$board_box" || fail "the game continued after \"Menu\" and Quit differs"
press Left
await_still c5
alike p5 c5 "$board_box" || fail "its step back differs"

# --- 2b. Stepped back one move, then the close box. ---
eval "$(xprop -id "$game" _NET_FRAME_EXTENTS | sed -n 's/.*= \([0-9]*\), \([0-9]*\), \([0-9]*\), \([0-9]*\)$/frame_right=\2 frame_top=\3/p')"
[[ -n "${frame_top:-}" ]] || fail "the game window has no frame from openbox"
xdotool mousemove --window "$game" $((1024 + frame_right - 12)) $((-frame_top / 2))
sleep 0.3
xdotool click 1
expect_end 20 "the close box"
expect_kept 6 5 "the close box"
launch_game "$folder"
pass_launcher
await_title menu-closed
menu_click 1
park
await_still c5-again
alike p5 c5-again "$board_box" || fail "the game continued after the close box is not the stepped-back one"
press Right
await_still c6-again
alike p6 c6-again "$board_box" || fail "the move after the step back was not kept"
signal_end INT
expect_kept 6 6 "SIGINT"
cp "$current" "$shots/kept-standard.pgn"

# --- 3. The Russian menus: with the kept game, then without it. ---
sed -i 's/^Lang=1$/Lang=2/' "$folder/config.ini"
launch_game "$folder"
pass_launcher "Шахматы с Зельмарами"
await_title menu-russian-continue
keep menu-russian-continue menu-russian-continue
signal_end TERM
mv "$current" "$work/kept-game.pgn"
launch_game "$folder"
pass_launcher "Шахматы с Зельмарами"
await_title menu-russian
keep menu-russian menu-russian
alike menu-russian menu-russian-continue "$menu_box" && fail "no \"Продолжить\" in the Russian menu"
signal_end TERM
[[ ! -e "$current" ]] || fail "the title screen alone left a current game: $(cat "$current")"
sed -i 's/^Lang=2$/Lang=1/' "$folder/config.ini"

# --- 4. PGN files on the command line, each in a fresh folder. ---
fresh_folder() {
  rm -rf "$folder"
  copy_game "$program" "$folder"
  quiet_settings "$folder"
}
printf '[Event "Finished"]\n[Result "0-1"]\n\n1. f3 e5 2. g4 Qh4# 0-1\n\n' >"$work/finished.pgn"
printf '[Event "Unfinished"]\n[Variant "zelmar"]\n[Result "*"]\n\n1. e4 e5 2. Nf3 *\n\n' >"$work/unfinished.pgn"
printf '[Event "Refused"]\n[Result "*"]\n\n1. e4 e5 2. Ke3 *\n\n' >"$work/refused.pgn"

# A finished game opens at its end; the arrows step through it.
fresh_folder
launch_game "$folder" "$work/finished.pgn"
pass_launcher
park
await_still f4
press Left
await_still f3
alike f4 f3 "$board_box" && fail "Left did not step back through the opened game"
press Right
await_still f4-again
alike f4 f4-again "$board_box" || fail "Right did not return to the opened game's end"
keep f4 kept-opened-finished
signal_end TERM

# An unfinished Zelmar game goes on with the player on Black, the side to move: the computer waits.
fresh_folder
launch_game "$folder" "$work/unfinished.pgn"
pass_launcher
park
await_still u3
sleep 2
shot u3-later
alike u3 u3-later "$board_box" || fail "the computer moved for the player of the opened game"
read -r _ x y < <("$points" square b8)
click_at "$x" "$y"
read -r _ x y < <("$points" square c6)
click_at "$x" "$y"
park
white_replied() { [[ "$(kept 2>/dev/null)" == *", 5 half-moves,"* ]]; }
wait_for 60 white_replied || fail "the computer did not answer as White in the opened game: $(kept 2>&1)"
await_still u5
keep u5 kept-opened-unfinished
signal_end TERM
summary="$(kept)" || fail "the continued opened game does not read: $summary"
[[ "$summary" == *", 5 half-moves, "*", zelmar"* ]] || fail "the continued opened game is kept as: $summary"
cp "$current" "$shots/kept-zelmar.pgn"
[[ "$(kept_tag ZelmarPlayer)" == Black ]] || fail "the player of the opened game is kept as $(kept_tag ZelmarPlayer)"

# A refused file is named with its reason in the launcher; the game still starts, without it.
fresh_folder
launch_game "$folder" "$work/refused.pgn"
await_launcher "Zelmar Chess"
sleep 0.5
import -window "$launcher" "$work/launcher-refused.png"
keep launcher-refused kept-launcher-refused
notice_x=$((launcher_left + 180 + 16)) notice_y=$((launcher_top + 90 + 226))
(($(colours "$work/launcher-refused.png" "$notice_x" "$notice_y" 241 36) > 8)) || fail "the launcher shows no refusal"
grep -q "refused.pgn.*line 1.*Ke3" "$work/stderr" || fail "the refusal on the standard error: $(cat "$work/stderr")"
click_launcher "$start_button_x" "$start_button_y"
await_game
await_title menu-after-refusal
alike menu-plain menu-after-refusal "$menu_box" 0 || fail "the refused file's game was kept"
signal_end TERM
[[ ! -e "$current" ]] || fail "the refused file left a current game"
echo "kept game: all steps passed; screenshots in $shots"
