#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer and
# runs the whole test suite under them.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh test
scripts/build.sh build-asan -DHARMODEX_SANITIZE=ON
ctest --test-dir build-asan --output-on-failure -j"$(nproc)"
