#!/usr/bin/env bash
# The game window driven through whole games, rapid rematches and take-backs, and a kept game continued in a
# fresh window (its file written on its own thread), a finished game judged in the background and that
# judging cancelled by a new game, hints asked and overtaken, computer player and all, under
# ThreadSanitizer (the build-tsan tree the worker tests use).
set -euo pipefail
root="${1:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}"
cd "$root"
source scripts/sanitizer-build.sh
sanitizer_build tsan scene_tests
# The window's pictures and fonts are those the main build made (scripts/test builds it first).
[[ -f build/bin/zelmar.dat ]] || cmake --build build --target zelmar_content
games='SceneGameTest.Rematches*:SceneGameTest.AWholeGameAsWhite*:SceneFormTest.Escape*:KeptGameTest.Continue*'
games+=':KeptGameTest.AFinishedGamesEntryIsJudged*:KeptGameTest.ANewGameCancelsTheJudging'
games+=':GameFlowHintTest.*'
TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" ZELMAR_DATA_FOLDER="$PWD/build/bin" \
  build-tsan/tests/scene_tests --gtest_filter="$games" --gtest_brief=1
