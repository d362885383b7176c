#!/usr/bin/env bash
# Short fuzz run of the archive reader, the description scanner and the record decoders
# (libFuzzer under AddressSanitizer + UndefinedBehaviorSanitizer, about 20 seconds per target).
set -euo pipefail
cd "$1"
scripts/fuzz/run "${ZELMAR_FUZZ_SECONDS:-20}"
