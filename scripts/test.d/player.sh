#!/usr/bin/env bash
# The computer player's worker tests (including the stress run of random game changes during
# searches, and hints overtaken by take-backs, new games, mode changes and the end) under ThreadSanitizer.
set -euo pipefail
root="${1:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}"
cd "$root"
source scripts/sanitizer-build.sh
sanitizer_build tsan engine_worker_tests
# The two shorter of the four whole-game comparisons with thinking ahead are enough here; the stress run
# thinks ahead on every move it plays. The carried line's check on the bare search runs on one thread.
TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" build-tsan/tests/engine_worker_tests \
  --gtest_filter='-*ThinkAheadGames*/1:*ThinkAheadGames*/2:SearchCarry.TheWholeCarriedLine*'
