#!/usr/bin/env bash
# The music output's playback thread and the mixer under ThreadSanitizer (stream tests only).
set -euo pipefail
cd "$1"
source scripts/sanitizer-build.sh
sanitizer_build tsan audio_stream_tests
SDL_AUDIODRIVER=dummy TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" build-tsan/tests/audio_stream_tests
