#!/usr/bin/env bash
# zelmar-engine annotate from outside: self-played games of both modes annotated, read back by our own reader
# to the same final placements, standard games read by Debian's pgn-extract without a word; a file with an
# illegal move in its second game refused by name with the first game still written; a missing file refused.
#   annotate_check.sh ZELMAR_ENGINE OUT_DIR
set -euo pipefail
engine="$1"
out="$2"
judge="$(command -v pgn-extract || true)"
[[ -z "$judge" && -x /usr/games/pgn-extract ]] && judge=/usr/games/pgn-extract
[[ -n "$judge" ]] || { echo "FAIL: pgn-extract is not installed (scripts/deps/rules.txt lists it)" >&2; exit 1; }
mkdir -p "$out"
rm -f "$out"/*
status=0
fail() {
  echo "FAIL: $*" >&2
  status=1
}
placements() { sed -n 's/.*, placement \([^ ]*\)$/\1/p' "$1"; }

for mode in standard zelmar; do
  flag=()
  [[ "$mode" == zelmar ]] && flag=(--zelmar)
  "$engine" games "${flag[@]}" --count 4 --depth 1 --opening 20 --out "$out/$mode.pgn" >/dev/null
  "$engine" annotate --level 2 --quiet "$out/$mode.pgn" >"$out/$mode.annotated.pgn" 2>"$out/$mode.log" ||
    fail "$mode: annotate failed: $(cat "$out/$mode.log")"
  "$engine" pgn "$out/$mode.pgn" >"$out/$mode.txt"
  "$engine" pgn "$out/$mode.annotated.pgn" >"$out/$mode.annotated.txt" || fail "$mode: our reader refused the output"
  cmp -s <(placements "$out/$mode.txt") <(placements "$out/$mode.annotated.txt") ||
    fail "$mode: the annotated games end elsewhere"
  evals="$(grep -o '\[%eval [^]]*\]' "$out/$mode.annotated.pgn" | wc -l)"
  [[ "$evals" -gt 100 ]] || fail "$mode: only $evals evaluations"
  [[ "$(grep -c '^\[ZelmarAnnotated "2"\]' "$out/$mode.annotated.pgn")" == 4 ]] || fail "$mode: games not marked"
  grep -q 'Computer judgement at level 2' "$out/$mode.annotated.pgn" || fail "$mode: no summary"
  echo "$mode: 4 games annotated with $evals evaluations and read back to the same placements"
done
"$judge" -s -w1000 -o "$out/judged.pgn" "$out/standard.annotated.pgn" 2>"$out/judge.log" || fail "pgn-extract failed"
[[ -s "$out/judge.log" ]] && fail "pgn-extract reported: $(head -n 5 "$out/judge.log")"
[[ "$(grep -c '^\[Event ' "$out/judged.pgn")" == 4 ]] || fail "pgn-extract did not pass every game"

# Bad input: the second game's fourth move is illegal; the first game is still written.
printf '[Event "one"]\n\n1. e4 e5 2. Nf3 *\n\n[Event "two"]\n\n1. d4 d5 2. Ke3 *\n' >"$out/bad.pgn"
set +e
"$engine" annotate --level 1 --output "$out/bad.annotated.pgn" "$out/bad.pgn" 2>"$out/bad.log"
code=$?
"$engine" annotate "$out/missing.pgn" >/dev/null 2>"$out/missing.log"
missing=$?
set -e
[[ "$code" == 1 ]] || fail "an illegal move gave exit status $code"
grep -q 'game 2 (line 5) refused: move 2 (Ke3): illegal' "$out/bad.log" || fail "the refusal: $(cat "$out/bad.log")"
[[ "$(grep -c '^\[Event ' "$out/bad.annotated.pgn")" == 1 ]] || fail "the game before the bad one was not written"
[[ "$missing" == 1 ]] && grep -q "cannot read $out/missing.pgn" "$out/missing.log" ||
  fail "a missing file: status $missing, $(cat "$out/missing.log")"
exit "$status"
