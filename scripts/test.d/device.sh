#!/usr/bin/env bash
# The device, timer and input logic tests again under AddressSanitizer + UndefinedBehaviorSanitizer
# (the sanitizer build the engine checks already configured).
set -euo pipefail
cd "$1"
source scripts/sanitizer-build.sh
sanitizer_build asan framework_device_tests
build-asan/tests/framework_device_tests --gtest_brief=1
