#!/usr/bin/env bash
# The restless player (tools/scene-monkey) over a fixed list of seeds through the whole game window, about
# two minutes under AddressSanitizer + UndefinedBehaviorSanitizer (build-asan) and two under ThreadSanitizer
# (build-tsan), with the pictures and fonts of the main build. A failure prints the command that replays it.
set -euo pipefail
cd "$1"
source scripts/sanitizer-build.sh
[[ -f build/bin/zelmar.dat ]] || cmake --build build --target zelmar_content
data="$PWD/build/bin"
sanitizer_build asan scene-monkey
build-asan/bin/scene-monkey --seed 1 --seeds 4 --ticks 5000 --depth 2 --data "$data"
build-asan/bin/scene-monkey --seed 5 --ticks 5000 --depth 2 --painter recording --data "$data"
sanitizer_build tsan scene-monkey
TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" \
  build-tsan/bin/scene-monkey --seed 11 --seeds 2 --ticks 4000 --depth 2 --data "$data"
