# Shared steps of the desktop-session runs (sourced): a private X server, polling with a deadline, the game
# copied into a folder of its own with quiet settings, the launcher's buttons and screenshot comparisons.
# The caller sets `work` (a private folder) and adds its own processes to `started`; EXIT ends them.

fail() { echo "FAIL: $*" >&2; exit 1; }

started=()
end_started() {
  local p
  for p in "${started[@]}"; do { kill -KILL "$p" && wait "$p"; } 2>/dev/null || true; done
  [[ -z "${work:-}" ]] || rm -rf "$work"
}
trap end_started EXIT

# Polls a command every tenth of a second until it succeeds or `seconds` have passed (by the clock, however
# long each try takes).
wait_for() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    ((SECONDS < deadline)) || return 1
    sleep 0.1
  done
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
  export DISPLAY=":$(head -1 "$work/xvfb.display")"
  xdotool getmouselocation >/dev/null 2>&1 || fail "cannot reach the private X display $DISPLAY"
}

# Copies the program and its data into $work/game with settings that keep a run quick and silent (no music
# or sound, a shallow computer, standard chess, the perspective board only).
copy_game() {
  local program="$1" bin f
  bin="$(dirname "$program")"
  mkdir -p "$work/game"
  cp "$program" "$work/game/zelmar-chess"
  for f in zelmar.dat zelmar.def title_theme.mp3 main_theme.mp3; do
    [[ -f "$bin/$f" ]] || fail "$f is missing beside the program"
    cp "$bin/$f" "$work/game/"
  done
  printf '[Options]\nArmy=1\nMode=1\nDepth=2\nBackground=1\nClassic=1\nBoard=2\nMusic=2\nSound=2\nInversion=2\nPriority=3\nLang=1\n' \
    >"$work/game/config.ini"
}

# Where the launcher's controls sit inside its client area (the panel at 180, 90; centres of the controls).
readonly start_button_x=$((180 + 16 + 120)) start_button_y=$((90 + 121 + 13))
readonly full_screen_box_x=$((180 + 16 + 8)) full_screen_box_y=$((90 + 204 + 8))

# Finds the visible X window of process $pid with the exact title.
window_named() { xdotool search --onlyvisible --pid "$pid" --name "^$1\$" 2>/dev/null | head -1; }
# Waits for the launcher of process $pid and its picture; sets `launcher` and its client area's corner in
# the window (the title bar the launcher draws itself lies above it).
await_launcher() {
  find_launcher() { launcher="$(window_named "Zelmar Chess")"; [[ -n "$launcher" ]]; }
  wait_for 30 find_launcher || fail "the launcher did not appear: $(cat "$work/stderr" 2>/dev/null)"
  eval "$(xdotool getwindowgeometry --shell "$launcher")"
  launcher_left=$(((WIDTH - 628) / 2))
  launcher_top=$((HEIGHT - launcher_left - 358))
  panel_ready() { import -window "$launcher" "$work/launcher.png"; (($(colours "$work/launcher.png" 0 0 "$WIDTH" "$HEIGHT") > 16)); }
  wait_for 10 panel_ready || fail "the launcher was not drawn"
}
# Clicks a point of the launcher's client area.
click_launcher() { xdotool mousemove --window "$launcher" $((launcher_left + $1)) $((launcher_top + $2)) click 1; }
# Waits for the game window of process $pid; sets `game`.
await_game() {
  find_game() { game="$(window_named "Zelmar Chess II")"; [[ -n "$game" ]]; }
  wait_for 30 find_game || fail "the game window did not open: $(cat "$work/stderr" 2>/dev/null)"
}

# Colours in a box (X Y W H) of a screenshot.
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
# Whether the process has ended.
ended() { ! kill -0 "$1" 2>/dev/null; }
