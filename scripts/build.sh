#!/usr/bin/env bash
# Configures (once) and builds Hardlens into build/ (incremental on later runs): the targets
# named, or everything (programs, tests, benchmarks as configured) when none is.
#   scripts/build.sh [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."
[ -f build/build.ninja ] || cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
targets=()
[ $# -eq 0 ] || targets=(--target "$@")
cmake --build build --parallel "$(nproc)" "${targets[@]}"
