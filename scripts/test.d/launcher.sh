#!/usr/bin/env bash
# The settings file's reader and writer and the picture decoder under AddressSanitizer +
# UndefinedBehaviorSanitizer (the build-asan tree of scripts/test).
set -euo pipefail
cd "$1"
source scripts/sanitizer-build.sh
sanitizer_build asan launcher_options_test
build-asan/tests/launcher_options_test --gtest_brief=1
