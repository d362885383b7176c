#!/usr/bin/env bash
# The device, timer and input logic tests again under AddressSanitizer + UndefinedBehaviorSanitizer
# (the sanitizer build the engine checks already configured).
set -euo pipefail
cd "$1"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZELMAR_SANITIZE=address,undefined >/dev/null
cmake --build build-asan -j "$(nproc)" --target framework_device_tests
build-asan/tests/framework_device_tests --gtest_brief=1
