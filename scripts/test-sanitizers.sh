#!/usr/bin/env bash
# Builds Hardlens with AddressSanitizer and UndefinedBehaviorSanitizer into build-asan/ and
# runs the whole suite there (scripts/test.sh runs it too).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
[ -f build-asan/build.ninja ] || cmake --preset asan "$@"
cmake --build build-asan --parallel "$(nproc)"
# Leak checking stays on for every test, the Qt window tests included (they run clean).
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
cd build-asan
ctest --output-on-failure --parallel "$(nproc)" --timeout 1800
