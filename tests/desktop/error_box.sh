#!/usr/bin/env bash
# The failure the player is told about, on a private X server: with its pictures missing the game cannot
# start its device, so after "Start Game" a desktop message box titled "Zelmar Chess II" says "Failed
# initializing video device!" with the error icon and one OK button; Return answers it and the program ends
# with status 1. Without any display the same text goes to standard error. The box's screenshot lands in the
# screenshot folder.
# Usage: error_box.sh <zelmar-chess> <screenshot folder>
set -euo pipefail
program="$1"
shots="$2"
# shellcheck source=../real_clicks.sh
source "$(dirname "${BASH_SOURCE[0]}")/../real_clicks.sh"
mkdir -p "$shots"
rm -f "$shots"/error-box.png
copy_game "$program" "$work/game"
quiet_settings "$work/game"
rm "$work/game/zelmar.dat"
message="Failed initializing video device!"

# 1. No display at all: the program says so on standard error and ends with status 1.
status=0
env -u DISPLAY -u WAYLAND_DISPLAY "$work/game/zelmar-chess" >"$work/stdout" 2>"$work/stderr" || status=$?
((status == 1)) || fail "without a display: exit status $status"
grep -q '^zelmar-chess: ' "$work/stderr" || fail "without a display nothing was said: $(cat "$work/stderr")"

# 2. The launcher, then "Start Game" on a game without its pictures.
start_xvfb 1024x768
(cd "$work" && exec env -u WAYLAND_DISPLAY NO_AT_BRIDGE=1 SDL_AUDIODRIVER=dummy "$work/game/zelmar-chess" \
  >"$work/stdout" 2>"$work/stderr") &
pid=$!
await_launcher "Zelmar Chess"
click_launcher "$start_button_x" "$start_button_y"

# 3. The box: a dialog window of GTK's (the message with the error icon and its OK button).
box=""
find_box() { box="$(window_named "Zelmar Chess II")"; [[ -n "$box" ]] && xprop -id "$box" _NET_WM_WINDOW_TYPE | grep -q _NET_WM_WINDOW_TYPE_DIALOG; }
wait_for 20 find_box || fail "no error box: $(cat "$work/stderr")"
drawn() { import -window "$box" "$shots/error-box.png"; (($(colours "$shots/error-box.png" 0 0 100 100) > 8)); }
wait_for 10 drawn || fail "the error box was not drawn"
kill -0 "$pid" 2>/dev/null || fail "the program did not wait for the box to be answered"

# 4. Return presses OK: the program ends with status 1 and says nothing more on standard error.
xdotool windowfocus --sync "$box" 2>/dev/null || true
xdotool key --window "$box" --clearmodifiers Return
expect_end 20 OK 1
grep -qF "$message" "$work/stderr" && fail "the message went to standard error although the box showed it"
echo "error box: shown and answered; screenshot $shots/error-box.png"
