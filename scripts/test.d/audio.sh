#!/usr/bin/env bash
# The music output's playback thread and the mixer under ThreadSanitizer (stream tests only).
set -euo pipefail
cd "$1"
cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZELMAR_SANITIZE=thread >/dev/null
cmake --build build-tsan -j "$(nproc)" --target audio_stream_tests
SDL_AUDIODRIVER=dummy TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" build-tsan/tests/audio_stream_tests
