#!/usr/bin/env bash
# kill -9 never breaks the kept game: the real zelmar-chess, on a private X server, continues a long unfinished
# game and steps through it with a stream of Left and Right keys (each step writes the current-game file);
# at a random moment (seeded) after its first write in that run, while the steps go on, it is killed with
# SIGKILL. Each time the file must be there and read as the whole game, the position shown within it; the next
# start shows "Continue" and goes on from it. The kills are shared among LANES runs side by side, each with its
# own X server, folder and seed, since most of a run is waiting for the game to start.
# Usage: kill_game.sh <zelmar-chess> <zelmar-engine> [KILLS (50)] [SEED (29)] [LANES (2)]
set -euo pipefail
program="$1"
engine="$2"
kills="${3:-50}"
seed="${4:-29}"
lanes="${5:-2}"
if ((lanes > 1)); then
  logs="$(mktemp -d)"
  trap 'rm -rf "$logs"' EXIT
  lane_pids=()
  for ((lane = 0; lane < lanes; lane++)); do
    bash "${BASH_SOURCE[0]}" "$program" "$engine" $((kills / lanes + (lane < kills % lanes))) $((seed + lane)) 1 \
      >"$logs/$lane" 2>&1 &
    lane_pids+=($!)
  done
  status=0
  for ((lane = 0; lane < lanes; lane++)); do wait "${lane_pids[$lane]}" || status=1; done
  cat "$logs"/*
  exit "$status"
fi
RANDOM="$seed"
# shellcheck source=../../real_clicks.sh
source "$(dirname "${BASH_SOURCE[0]}")/../../real_clicks.sh"
start_xvfb 1280x1024

folder="$work/game"
copy_game "$program" "$folder"
quiet_settings "$folder"
current="$folder/current-game.pgn"
# A long unfinished game (40 half-moves, White to move): the player goes on as White.
printf '%s\n' '[Event "Long"]' '[Result "*"]' '' \
  '1. e4 e5 2. Nf3 Nc6 3. Bb5 a6 4. Ba4 Nf6 5. O-O Be7 6. Re1 b5 7. Bb3 d6 8. c3 O-O 9. h3 Nb8 10. d4' \
  'Nbd7 11. Nbd2 Bb7 12. Bc2 Re8 13. Nf1 Bf8 14. Ng3 g6 15. a4 c5 16. d5 c4 17. Bg5 h6 18. Be3 Nc5 19.' \
  'Qd2 h5 20. Bg5 Be7 *' '' >"$work/long.pgn"
readonly plies=40
"$engine" pgn "$work/long.pgn" | grep -q ", $plies half-moves," || fail "the long game does not read"

# Checks the file the kill left: one game of the whole line, the position shown inside it.
check_kept() {
  [[ -f "$current" ]] || fail "kill $1: no current-game file"
  local summary shown
  summary="$("$engine" pgn "$current")" || fail "kill $1: the current-game file does not read: $summary"
  [[ "$summary" == "game 1 (line 1): *, $plies half-moves,"* && "$(wc -l <<<"$summary")" == 1 ]] ||
    fail "kill $1: the current-game file holds: $summary"
  shown="$(sed -n 's/^\[ZelmarShownPly "\(.*\)"\]$/\1/p' "$current")"
  [[ -z "$shown" || ("$shown" =~ ^[0-9]+$ && shown -le plies) ]] || fail "kill $1: shown half-move '$shown'"
}

# The main menu's first item has been drawn (a small uncompressed grab: the game is loading meanwhile).
title_drawn() {
  import -window "$game" -crop 120x30+86+160 +repage "$work/title.ppm" 2>/dev/null &&
    (($(convert "$work/title.ppm" -format %k info:) > 16))
}

rewritten=0
started_at=$SECONDS
for ((kill = 1; kill <= kills; kill++)); do
  before="$(stat -c %i "$current" 2>/dev/null || echo none)"
  if ((kill == 1)); then
    launch_game "$folder" "$work/long.pgn"
    pass_launcher
  else
    launch_game "$folder"
    pass_launcher
    wait_for 30 title_drawn || fail "kill $kill: the title screen was not drawn"
    click_at "$menu_x" "$(menu_item_y 1)"  # "Continue"
  fi
  # A random walk of steps, 40 ms apart (more than a tick of the game, which sees each); once the game has
  # written the file in this run, it is killed 0 to 0.9 s later while the steps go on.
  keys=()
  for ((k = 0; k < 120; k++)); do keys+=("$( ((RANDOM % 2)) && echo Left || echo Right)"); done
  xdotool windowactivate --sync "$game" 2>/dev/null || true
  xdotool key --delay 40 "${keys[@]}" 2>/dev/null &
  typist=$!
  written() { [[ "$(stat -c %i "$current" 2>/dev/null || echo none)" != "$before" ]]; }
  wait_for 30 written || fail "kill $kill: the game wrote nothing while it was stepped through"
  first_write="$(stat -c %i "$current")"
  delay=$((RANDOM % 900))
  sleep "0.$(printf %03d "$delay")"
  kill -0 "$typist" 2>/dev/null || fail "kill $kill: the steps ended before the kill"
  kill -KILL "$pid"
  wait "$pid" 2>/dev/null || true
  pid=""
  kill "$typist" 2>/dev/null || true
  wait "$typist" 2>/dev/null || true
  check_kept "$kill"
  [[ "$(stat -c %i "$current")" == "$first_write" ]] || rewritten=$((rewritten + 1))
done
leftovers="$(find "$folder" -mindepth 1 -maxdepth 1 -newer "$work/long.pgn" ! -name current-game.pgn ! -name games.pgn \
  ! -name config.ini -printf '%f ' | head -c 300)"
echo "kill game (seed $seed): $kills kills -9 in $((SECONDS - started_at)) s, each while the game stepped and wrote" \
  "($rewritten after a second write in its run); the current-game file read as the whole game every time" \
  "${leftovers:+(left beside it: $leftovers)}"
