#!/usr/bin/env bash
# Self-played games through the board and the worker, written as PGN and judged from outside: Debian's
# pgn-extract reads every standard game without an error or a warning, and its replay reaches the placement
# the board reached; zelmar games are read back by our own reader and replayed on the board. The standard
# set must hold every feature: castling on both sides, en passant, promotions, and every way a game ends.
#   pgn_extract_check.sh ZELMAR_ENGINE OUT_DIR
set -euo pipefail
engine="$1"
out="$2"
judge="$(command -v pgn-extract || true)"
[[ -z "$judge" && -x /usr/games/pgn-extract ]] && judge=/usr/games/pgn-extract
if [[ -z "$judge" ]]; then
  echo "FAIL: pgn-extract is not installed (scripts/deps/rules.txt lists it)" >&2
  exit 1
fi
mkdir -p "$out"
rm -f "$out"/*.pgn "$out"/*.txt "$out"/*.log

# name, then the games command's arguments; the seeds are fixed, so the set is the same every run.
batches=(
  "standard-depth1|--count 100 --depth 1 --opening 40"
  "standard-depth2|--count 100 --depth 2 --opening 40"
  "zelmar-depth1|--zelmar --count 50 --depth 1 --opening 40"
  "zelmar-depth2|--zelmar --count 30 --depth 2 --opening 10"
)
status=0
fail() {
  echo "FAIL: $*" >&2
  status=1
}

# The placements the board reached, one a line, from the games command's report.
placements() { sed -n 's/.* placement \([^ ]*\).*/\1/p' "$1"; }

for batch in "${batches[@]}"; do
  name="${batch%%|*}"
  read -r -a args <<<"${batch#*|}"
  "$engine" games "${args[@]}" --out "$out/$name.pgn" >"$out/$name.txt" || fail "$name: a game failed (see $out/$name.txt)"
  count="$(grep -c '^game ' "$out/$name.txt" || true)"
  placements "$out/$name.txt" >"$out/$name.board"
  # Our own reader and a replay on the board.
  "$engine" pgn "$out/$name.pgn" >"$out/$name.ours.txt" || fail "$name: our reader refused a game"
  sed -n 's/.*, placement \([^ ]*\)$/\1/p' "$out/$name.ours.txt" >"$out/$name.ours"
  cmp -s "$out/$name.board" "$out/$name.ours" || fail "$name: our replay ends elsewhere than the board"
  if [[ "$name" == standard-* ]]; then
    # The outside judge: silent reading, the final position's FEN after each game's last move.
    "$judge" -s -F -w1000 -o "$out/$name.judged.pgn" "$out/$name.pgn" 2>"$out/$name.judge.log" ||
      fail "$name: pgn-extract failed"
    if [[ -s "$out/$name.judge.log" ]]; then
      fail "$name: pgn-extract reported:"
      head -n 20 "$out/$name.judge.log" >&2
    fi
    judged="$(grep -c '^\[Event ' "$out/$name.judged.pgn" || true)"
    [[ "$judged" == "$count" ]] || fail "$name: pgn-extract passed $judged of $count games"
    grep -o '{ "[^ "]*' "$out/$name.judged.pgn" | sed 's/^{ "//' >"$out/$name.judge"
    cmp -s "$out/$name.board" "$out/$name.judge" || fail "$name: pgn-extract's replay ends elsewhere than the board"
    echo "$name: pgn-extract read $judged games without a word and replayed them to the board's positions"
  fi
  echo "$name: $count games read back by our reader and replayed on the board"
done

# What the standard set holds.
report="$(cat "$out"/standard-*.txt)"
total="$(grep -c '^game ' <<<"$report")"
[[ "$total" -ge 100 ]] || fail "only $total standard games"
sum() { awk -v key="$1" '{ for (i = 1; i < NF; ++i) if ($i == key) s += $(i + 1) } END { print s + 0 }' <<<"$report"; }
for feature in short-castles long-castles en-passant promotions; do
  n="$(sum "$feature")"
  echo "  $feature: $n"
  [[ "$n" -gt 0 ]] || fail "no game with $feature"
done
for end in mate stalemate no-mating-material threefold-repetition unfinished; do
  n="$(grep -c " $end plies " <<<"$report" || true)"
  echo "  ended by $end: $n"
  [[ "$end" == unfinished || "$n" -gt 0 ]] || fail "no game ended by $end"
done
grep -q '=[NBR]' "$out"/standard-*.pgn || fail "no promotion to a piece other than the queen"
exit "$status"
