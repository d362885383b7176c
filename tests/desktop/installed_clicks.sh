#!/usr/bin/env bash
# Installs the game into a fresh prefix and plays the installed program with real mouse clicks on the X
# display, started from / with a fresh HOME: "Start Game" in the launcher, then on the title screen
# "Options", "Language", "Back to Menu". The settings must then be in $HOME/.config/zelmar-chess/config.ini
# (the folder made by that first save), the install folder unchanged, and a second start's launcher must
# read them (its caption in Russian) and close on "Yes". Every step leaves a screenshot in the screenshot folder.
# Usage: installed_clicks.sh <build folder> <screenshot folder>
set -euo pipefail

build="$1"
shots="$2"
# shellcheck source=../real_clicks.sh
source "$(dirname "${BASH_SOURCE[0]}")/../real_clicks.sh"
need_display
mkdir -p "$shots" "$work/home"
rm -f "$shots"/install-*.png

# 1. A real install under a prefix of its own, and a fingerprint of every file and folder in it.
prefix="$work/prefix"
cmake --install "$build" --prefix "$prefix" >"$work/install.log" || fail "install: $(cat "$work/install.log")"
fingerprint() { (cd "$prefix" && find . -printf '%P %y %m %s\n' | LC_ALL=C sort && find . -type f -print0 | LC_ALL=C sort -z | xargs -0 md5sum); }
fingerprint >"$work/before"
config="$work/home/.config/zelmar-chess/config.ini"

# Starts the installed program from / with the fresh HOME and no XDG_CONFIG_HOME.
start_game() {
  (cd / && exec env -u XDG_CONFIG_HOME HOME="$work/home" NO_AT_BRIDGE=1 "$prefix/bin/zelmar-chess" \
    >"$work/stdout" 2>"$work/stderr") &
  pid=$!
}
shot() { import -window "$game" "$shots/install-$1.png"; }

# 2. The launcher of a fresh home is in English and finds no settings; "Start Game" opens the game window.
[[ ! -e "$work/home/.config" ]] || fail "the home is not fresh"
start_game
await_launcher "Zelmar Chess"
cp "$work/launcher.png" "$shots/install-1-launcher.png"
click_launcher "$start_button_x" "$start_button_y"
await_game

# 3. The title screen is drawn from the installed data.
title_drawn() { shot 2-title; (($(convert "$shots/install-2-title.png" -format %k info:) > 64)); }
wait_for 20 title_drawn || fail "the title screen was not drawn"

# 4. "Options" opens the list; "Language" switches its texts to Russian; nothing is saved yet.
click_at 183 252
options_shown() { shot 3-options; differs "$shots/install-2-title.png" "$shots/install-3-options.png" 80 150 320 400; }
wait_for 10 options_shown || fail "\"Options\" did not open the options"
click_at 183 487
russian() { shot 4-russian; differs "$shots/install-3-options.png" "$shots/install-4-russian.png" 80 150 320 400; }
wait_for 10 russian || fail "\"Language\" did not switch the texts"
[[ ! -e "$config" ]] || fail "config.ini was written before Back to Menu"

# 5. "Back to Menu" saves: the settings folder is made under the fresh home, private to its owner.
click_at 183 567
expected=$'[Options]\nArmy=1\nMode=2\nDepth=3\nBackground=1\nClassic=2\nBoard=2\nMusic=1\nSound=1\nInversion=2\nPriority=1\nLang=2\nMarks=1'
saved() { [[ -f "$config" && "$(cat "$config")" == "$expected" ]]; }
wait_for 10 saved || fail "config.ini after Back to Menu: $(cat "$config" 2>/dev/null || echo missing)"
[[ "$(stat -c %a "$work/home/.config/zelmar-chess")" == 700 ]] || fail "the settings folder is not private"
shot 5-menu

# 6. "Quit" (the main menu's fourth item) and the quit window's "Quit" end the program with status 0.
click_at 183 292
shot 6-quit-window
click_at 562 412
expect_end 20 Quit

# 7. The install folder is exactly as installed: no settings file or anything else was written there.
fingerprint >"$work/after"
diff -u "$work/before" "$work/after" >&2 || fail "the install folder changed"

# 8. A second start's launcher reads the same file: it opens in Russian. Escape asks the quit question and
# "Yes" (the right-hand button) ends the program with status 0, the settings untouched.
start_game
await_launcher "Шахматы с Зельмарами"
xdotool windowfocus --sync "$launcher" 2>/dev/null || true
xdotool key --clearmodifiers Escape
box=""
find_box() { box="$(xdotool search --onlyvisible --pid "$pid" --name "." 2>/dev/null | grep -vx "$launcher" | head -1)"; [[ -n "$box" ]]; }
wait_for 10 find_box || fail "Escape asked no question"
eval "$(xdotool getwindowgeometry --shell "$box" | sed 's/^/BOX_/')"
xdotool mousemove --window "$box" $((BOX_WIDTH * 3 / 4)) $((BOX_HEIGHT - 20)) click 1
expect_end 20 Yes
[[ "$(cat "$config")" == "$expected" ]] || fail "the launcher changed config.ini: $(cat "$config")"
echo "installed clicks: all steps passed; screenshots in $shots"
