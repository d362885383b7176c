#!/usr/bin/env bash
# The drawing tests that need no display under AddressSanitizer + UndefinedBehaviorSanitizer (the canvas's
# arrays, the record decoders, the test backend's buffers), then the canvas benchmark on the test backend.
set -euo pipefail
cd "$1"
source scripts/sanitizer-build.sh
sanitizer_build asan framework_drawing_tests
build-asan/tests/framework_drawing_tests --gtest_brief=1
build/bin/canvas-bench --test-only --frames 500
