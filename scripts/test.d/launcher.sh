#!/usr/bin/env bash
# The settings file's reader and writer and the picture decoder under AddressSanitizer +
# UndefinedBehaviorSanitizer (the build-asan tree of scripts/test).
set -euo pipefail
cd "$1"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZELMAR_SANITIZE=address,undefined >/dev/null
cmake --build build-asan -j "$(nproc)" --target launcher_options_test
build-asan/tests/launcher_options_test --gtest_brief=1
