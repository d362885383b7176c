#!/usr/bin/env bash
# Clicks through the launcher of zelmar-chess with real mouse clicks on the X display:
# English at first, "Русский" in the language drop-down switches every text and writes config.ini, the close
# box asks the quit question and "No" keeps the launcher, "Start Game" closes it and opens the game window, whose quit
# window ends the program with status 0.
# Usage: launcher_clicks.sh <zelmar-chess> [screenshot directory]
set -euo pipefail

program="$1"
shots="${2:-}"
# shellcheck source=../real_clicks.sh
source "$(dirname "${BASH_SOURCE[0]}")/../real_clicks.sh"
need_display

# The program runs from a private copy of its directory, so config.ini is written there.
copy_game "$program" "$work"

# 1. Start without config.ini and wait for the launcher's window.
[[ ! -e "$work/config.ini" ]] || fail "stale config.ini"
NO_AT_BRIDGE=1 "$work/zelmar-chess" >"$work/stdout" 2>"$work/stderr" &
pid=$!
window_of_program() { xdotool search --onlyvisible --pid "$pid" --name "." 2>/dev/null | head -1; }
win=""
find_window() { win="$(window_of_program)"; [[ -n "$win" ]]; }
wait_for 60 find_window || fail "the launcher window did not appear"
[[ "$(xdotool getwindowname "$win")" == "Zelmar Chess" ]] || fail "caption is '$(xdotool getwindowname "$win")'"

launcher_geometry "$win"
((launcher_left >= 0 && launcher_top > launcher_left)) || fail "unexpected window size ${WIDTH}x${HEIGHT}"
panel_x=$((launcher_left + 180))
panel_y=$((launcher_top + 90))

# Clicks at a point of the panel (control's left, top, width, height: its middle is hit).
click_panel() {
  xdotool windowraise "$win"
  xdotool mousemove --window "$win" $((panel_x + $1 + $3 / 2)) $((panel_y + $2 + $4 / 2)) click 1
}
snapshot() { import -window "$win" "$1"; }
# Pixels that differ between the same control in two snapshots, by more than the one-step shades that a
# redraw after the drop-down's list may leave at the edges of a text.
crop() { convert "$1" -crop "$4x$5+$((panel_x + $2))+$((panel_y + $3))" +repage "$6"; }
differing_pixels() {
  crop "$1" "${@:3}" "$work/a.png"
  crop "$2" "${@:3}" "$work/b.png"
  compare -metric AE -fuzz 2% "$work/a.png" "$work/b.png" null: 2>&1 || true
}
# The panel's text controls: the language drop-down, Start, Update, Full Screen, Maximized, Antialias.
controls=("16 88 241 27" "16 121 241 27" "16 154 241 27" "16 204 81 17" "104 204 81 17" "192 204 65 17")

# 2. English: wait until the panel has been drawn, keep the picture.
xdotool mousemove 0 0
drawn() { snapshot "$work/en.png"; [[ "$(convert "$work/en.png" -crop "241x27+$((panel_x + 16))+$((panel_y + 121))" -format %k info:)" -gt 4 ]]; }
wait_for 30 drawn || fail "the launcher's panel was not drawn"
[[ -z "$shots" ]] || { mkdir -p "$shots"; cp "$work/en.png" "$shots/launcher-english.png"; }

# 3. The language drop-down: a click opens its list of the ten languages, each by its own name; a click on
# "Русский", the second, switches every text and writes the file with Lang=2.
click_panel 16 88 241 27
list=""
find_list() {
  list="$(xdotool search --onlyvisible --pid "$pid" --name "." 2>/dev/null | grep -vx "$win" | while read -r w; do
    eval "$(xdotool getwindowgeometry --shell "$w" | sed 's/^/LIST_/')"
    ((LIST_WIDTH >= 200 && LIST_HEIGHT >= 10 * 15)) && echo "$w"
  done | head -1)"
  [[ -n "$list" ]]
}
wait_for 30 find_list || fail "the language drop-down opened no list"
eval "$(xdotool getwindowgeometry --shell "$list" | sed 's/^/LIST_/')"
[[ -z "$shots" ]] || import -window root "$shots/launcher-languages.png"
# The ten entries share the list's height; the middle of the second one.
xdotool mousemove --window "$list" $((LIST_WIDTH / 2)) $((LIST_HEIGHT * 3 / 20)) click 1
expected=$'[Options]\nArmy=1\nMode=2\nDepth=3\nBackground=1\nClassic=2\nBoard=2\nMusic=1\nSound=1\nInversion=2\nPriority=1\nLang=2\nMarks=1'
file_written() { [[ -f "$work/config.ini" && "$(cat "$work/config.ini")" == "$expected" ]]; }
wait_for 30 file_written || fail "config.ini after Русский: $(cat "$work/config.ini" 2>/dev/null || echo missing)"
russian_caption() { [[ "$(xdotool getwindowname "$win")" == "Шахматы с Зельмарами" ]]; }
wait_for 30 russian_caption || fail "caption after Русский is '$(xdotool getwindowname "$win")'"
xdotool mousemove 0 0
texts_switched() {
  snapshot "$work/ru.png"
  local c
  for c in "${controls[@]}"; do
    # shellcheck disable=SC2086
    (($(differing_pixels "$work/en.png" "$work/ru.png" $c) > 20)) || return 1
  done
}
wait_for 30 texts_switched || fail "not every text of the panel changed to Russian"
# shellcheck disable=SC2046
(($(differing_pixels "$work/en.png" "$work/ru.png" 24 48 225 17) == 0)) || fail "the link changed"
[[ -z "$shots" ]] || cp "$work/ru.png" "$shots/launcher-russian.png"

# 4. The close box (right end of the title bar) asks the question; "No" keeps the launcher.
xdotool windowraise "$win"
xdotool mousemove --window "$win" $((WIDTH - launcher_left - 16)) $(((launcher_top + launcher_left) / 2)) click 1
box=""
find_box() { box="$(xdotool search --onlyvisible --pid "$pid" --name "." 2>/dev/null | grep -vx "$win" | head -1)"; [[ -n "$box" ]]; }
wait_for 30 find_box || fail "the close box asked no question"
[[ "$(xdotool getwindowname "$box")" == "Шахматы с Зельмарами" ]] || fail "question titled '$(xdotool getwindowname "$box")'"
[[ -z "$shots" ]] || import -window root "$shots/launcher-question.png"
eval "$(xdotool getwindowgeometry --shell "$box" | sed 's/^/BOX_/')"
xdotool mousemove --window "$box" $((BOX_WIDTH / 4)) $((BOX_HEIGHT - 20)) click 1
box_gone() { ! xdotool search --onlyvisible --pid "$pid" --name "." 2>/dev/null | grep -qx "$box"; }
wait_for 30 box_gone || fail "the question stayed after No"
kill -0 "$pid" 2>/dev/null || fail "the program ended after No"
xdotool search --onlyvisible --pid "$pid" --name "." | grep -qx "$win" || fail "the launcher vanished after No"

# 5. "Start Game" closes the launcher and opens the game window (in Russian, as chosen); Escape on the
# title screen opens the quit window, whose second button ends the program with status 0, printing nothing.
click_panel 16 121 241 27
launcher_gone() { ! xdotool search --onlyvisible --pid "$pid" --name "." 2>/dev/null | grep -qx "$win"; }
wait_for 20 launcher_gone || fail "the launcher stayed after Start Game"
await_game
game_drawn() { import -window "$game" "$work/game.png"; [[ "$(convert "$work/game.png" -format %k info:)" -gt 64 ]]; }
wait_for 20 game_drawn || fail "the game window was not drawn"
xdotool windowfocus --sync "$game" 2>/dev/null || true
xdotool key --clearmodifiers Escape
quit_open() { import -window "$game" "$work/quit.png"; differs "$work/game.png" "$work/quit.png" 400 277 330 200; }
wait_for 20 quit_open || fail "Escape on the title screen did not open the quit window"
[[ -z "$shots" ]] || cp "$work/quit.png" "$shots/launcher-game-quit-window.png"
xdotool mousemove --window "$game" 562 412
sleep 0.2
xdotool click 1
expect_end 60 "the quit window's Quit"
[[ ! -s "$work/stdout" && ! -s "$work/stderr" ]] || fail "the program printed: $(cat "$work/stdout" "$work/stderr")"
grep -q "^Lang=2$" "$work/config.ini" || fail "config.ini lost Lang=2"
echo "launcher clicks: all steps passed"
