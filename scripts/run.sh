#!/usr/bin/env bash
# Installs what is missing, builds, and starts Hardlens: the window where a display exists,
# otherwise the text report of this machine on the terminal. Only the two programs are built;
# scripts/test.sh builds the tests as well.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh hardlens-report hardlens
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec build/hardlens
fi
build/hardlens-report "$@"
echo
echo "No display here, so this is the text report. Start the window on a desktop with:"
echo "  build/hardlens"
echo "or on this machine under a virtual display with:"
echo "  xvfb-run -a build/hardlens"
