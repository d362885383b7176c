# shellcheck shell=bash disable=SC2034,SC2317
# Shared steps of the runs that drive the real game on an X display with real mouse clicks and keys (xdotool)
# and watch it through screenshots (ImageMagick): the real-click runs under xvfb-run and the desktop sessions
# that start their own X server. Sourced by each run after `set -euo pipefail`: it checks the tools, makes the
# private folder $work, and on exit ends the program under test ($pid) and every process in `started`, then
# removes $work. It sets variables for the run (SC2034 above).

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

command -v xdotool >/dev/null || fail "xdotool is missing"
# A first start speaks the desktop's language: the runs start in English whatever the machine's locale.
export LC_ALL=C.UTF-8
command -v import >/dev/null || fail "ImageMagick is missing"

work="$(mktemp -d)"
pid=""
started=()
# Ends the program under test and every process the run started that still runs. KILL, since the game turns
# SIGTERM into a quit event that a modal launcher or message box never reads.
end_programs() {
  local p
  for p in ${pid:+"$pid"} ${started[@]+"${started[@]}"}; do { kill -KILL "$p" && wait "$p"; } 2>/dev/null || true; done
}
end_session() {
  end_programs
  [[ -z "$work" ]] || rm -rf "$work"
}
trap end_session EXIT

# Polls a command every tenth of a second until it succeeds or `seconds` have passed (by the clock, however
# long each try takes); the limits are generous so that only a hang runs out on a loaded machine.
wait_for() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    ((SECONDS < deadline)) || return 1
    sleep 0.1
  done
}

# Checks that the X display named by DISPLAY is there (a real-click run under xvfb-run).
need_display() {
  [[ -n "${DISPLAY:-}" ]] || fail "no X display (run under xvfb-run)"
  xdotool getmouselocation >/dev/null 2>&1 || fail "cannot reach the X display $DISPLAY"
}

# Starts a private X server of the size WxH and points DISPLAY at it.
start_xvfb() {
  command -v Xvfb >/dev/null || fail "Xvfb is missing"
  : >"$work/xvfb.display"
  Xvfb -displayfd 3 -screen 0 "$1x24" +extension GLX +render -noreset -nolisten tcp 3>"$work/xvfb.display" \
    2>"$work/xvfb.log" &
  started+=($!)
  has_display() { [[ -s "$work/xvfb.display" ]]; }
  wait_for 20 has_display || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
  DISPLAY=":$(head -1 "$work/xvfb.display")"
  export DISPLAY
  need_display
}

# The files the game reads beside its program.
game_data_files=(zelmar.dat zelmar.def title_theme.mp3 main_theme.mp3)

# Copies the program and its data files into a folder.
copy_game() {
  local program="$1" folder="$2" f
  mkdir -p "$folder"
  cp "$program" "$folder/zelmar-chess"
  for f in "${game_data_files[@]}"; do
    [[ -f "$(dirname "$program")/$f" ]] || fail "$f is missing beside the program"
    cp "$(dirname "$program")/$f" "$folder/"
  done
}

# Writes settings into a game folder that keep a run quick and silent: no music or
# sound, a shallow computer, standard chess, the perspective board only.
quiet_settings() {
  printf '[Options]\nArmy=1\nMode=1\nDepth=2\nBackground=1\nClassic=1\nBoard=2\nMusic=2\nSound=2\nInversion=2\nPriority=3\nLang=1\n' \
    >"$1/config.ini"
}

# Whether the program under test has ended.
ended() { ! kill -0 "$pid" 2>/dev/null; }

# Waits up to $1 seconds for the program under test to end after $2 (what ended it) and checks its exit
# status: $3, by default 0.
expect_end() {
  wait_for "$1" ended ||
    fail "the program did not end after $2: $(cat "$work/stderr"; grep -E '^(State|Threads)' "/proc/$pid/status")"
  local status=0
  wait "$pid" || status=$?
  pid=""
  ((status == ${3:-0})) || fail "exit status $status after $2: $(cat "$work/stderr")"
}

# The program's visible window named exactly $1 (empty when there is none).
window_named() { xdotool search --onlyvisible --pid "$pid" --name "^$1\$" 2>/dev/null | head -1; }

# Where the launcher's controls sit inside its client area (the panel at 180, 90; centres of the controls).
readonly start_button_x=$((180 + 16 + 120)) start_button_y=$((90 + 121 + 13))
readonly full_screen_box_x=$((180 + 16 + 8)) full_screen_box_y=$((90 + 204 + 8))

# The launcher's layout in its window $1: a 628 x 358 client area under the title bar it draws itself,
# inside an even frame. Sets WIDTH, HEIGHT and the client area's corner launcher_left, launcher_top.
launcher_geometry() {
  eval "$(xdotool getwindowgeometry --shell "$1")"
  launcher_left=$(((WIDTH - 628) / 2))
  launcher_top=$((HEIGHT - launcher_left - 358))
}

# Waits for the program's launcher captioned $1 and its picture, kept in
# $work/launcher.png; sets `launcher` and its layout.
await_launcher() {
  local caption="$1"
  find_launcher() { launcher="$(window_named "$caption")"; [[ -n "$launcher" ]]; }
  wait_for 30 find_launcher || fail "no launcher captioned '$caption': $(cat "$work/stderr" 2>/dev/null)"
  launcher_geometry "$launcher"
  panel_ready() { import -window "$launcher" "$work/launcher.png"; (($(colours "$work/launcher.png" 0 0 "$WIDTH" "$HEIGHT") > 16)); }
  wait_for 10 panel_ready || fail "the launcher was not drawn"
}

# Clicks a point of the launcher's client area.
click_launcher() { xdotool mousemove --window "$launcher" $((launcher_left + $1)) $((launcher_top + $2)) click 1; }

# Waits for the program's game window; sets `game`.
await_game() {
  find_game() { game="$(window_named "Zelmar Chess II")"; [[ -n "$game" ]]; }
  wait_for 30 find_game || fail "the game window did not open: $(cat "$work/stderr" 2>/dev/null)"
}

# Clicks at a point of the logical screen (the client area of the game window $game) and lets the game see it.
click_at() {
  xdotool mousemove --window "${game:?no game window yet}" "$1" "$2"
  sleep 0.2
  xdotool click 1
  sleep 0.3
}

# The number of colours in a box (X Y W H) of a screenshot.
colours() { convert "$1" -crop "$4x$5+$2+$3" +repage -format %k info:; }

# Whether two screenshots differ inside a box (X Y W H) by more than a few pixels (200, or the seventh
# argument).
differs() {
  convert "$1" -crop "$5x$6+$3+$4" +repage "$work/a.png"
  convert "$2" -crop "$5x$6+$3+$4" +repage "$work/b.png"
  local n
  n="$(compare -metric AE "$work/a.png" "$work/b.png" null: 2>&1 || true)"
  [[ "${n%% *}" =~ ^[0-9]+$ ]] && ((${n%% *} > ${7:-200}))
}

# Starts the copy of the game in the folder $1 with the arguments after it, from the private folder
# $work/elsewhere, silent and without the desktop's accessibility bus; its output goes to $work/stdout and
# $work/stderr. Sets `pid`.
launch_game() {
  local folder="$1"
  shift
  mkdir -p "$work/elsewhere"
  (cd "$work/elsewhere" && exec env NO_AT_BRIDGE=1 SDL_AUDIODRIVER=dummy "$folder/zelmar-chess" "$@" \
    >"$work/stdout" 2>"$work/stderr") &
  pid=$!
}

# Passes the launcher captioned $1 (by default "Zelmar Chess") with "Start Game" and waits for the game window.
pass_launcher() {
  await_launcher "${1:-Zelmar Chess}"
  click_launcher "$start_button_x" "$start_button_y"
  await_game
}

# Where the main menu's items are hit (their boxes start at (86, 155), 40 pixels apart), without and with
# "Continue" in the first place.
readonly menu_x=183 menu_first_y=172 menu_step=40
menu_item_y() { echo $((menu_first_y + ($1 - 1) * menu_step)); }
# The box of the first items' texts, which "Continue" changes (the circling figures stay below it).
readonly menu_box="86 155 200 100"

# Starts openbox on the private X server (for a close box and full-screen windows) and waits until it manages
# the screen.
start_openbox() {
  command -v openbox >/dev/null || fail "openbox is missing (scripts/deps/desktop.txt)"
  command -v xprop >/dev/null || fail "xprop is missing (x11-utils)"
  openbox --sm-disable >"$work/openbox.log" 2>&1 &
  started+=($!)
  managed() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
  wait_for 20 managed || fail "openbox did not take the screen: $(cat "$work/openbox.log")"
}
