#!/usr/bin/env bash
# Cross-builds hardlens_core, hardlens-report.exe and the Windows tests with mingw-w64 into
# build-win/ and runs them under wine, in a wine prefix of that folder. The build is the Release
# one users get (its hardening links libssp); a Debug build adds nothing the native and
# sanitized suites do not already check, and would double the time of this step. Expects the native build
# in build/ (its hardlens-report replays what the Windows build records). Skips, saying so, when
# the cross compiler or wine is missing.
set -euo pipefail
cd "$(dirname "$0")/.."

for tool in x86_64-w64-mingw32-g++-posix wine wineserver; do
  if ! command -v "$tool" >/dev/null; then
    echo "test-wine: $tool not installed; Windows tests skipped"
    exit 0
  fi
done

native=""
[ -x build/hardlens-report ] && native="$PWD/build/hardlens-report"

# One Windows build and its tests under wine, in folder $1 with CMAKE_BUILD_TYPE $2.
run_windows_build() {
  local dir=$1 type=$2
  export WINEPREFIX="$PWD/$dir/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  cmake -S . -B "$dir" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
    -DCMAKE_BUILD_TYPE="$type" -DHARDLENS_BUILD_GUI=OFF -DHARDLENS_NATIVE_REPORT="$native" >/dev/null
  cmake --build "$dir" --parallel "$(nproc)"
  # The first start makes the prefix (about ten seconds); the server then serves every test.
  timeout -k 10 300 wine cmd /c exit >/dev/null 2>&1
  (cd "$dir" && timeout -k 30 1200 ctest --output-on-failure --parallel "$(nproc)" --timeout 300)
  stop_server
}

# A wineserver left running keeps the run that started it waiting: stop it however we leave.
stop_server() { timeout -k 5 60 wineserver -k >/dev/null 2>&1 || true; }
trap stop_server EXIT
# The everyday build, then the Release build users get: its hardening must link with mingw-w64
# (libssp) and the program must pass the same tests.
run_windows_build build-win Release
