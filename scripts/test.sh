#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the layer check, the native suite, the
# same suite under AddressSanitizer + UndefinedBehaviorSanitizer, then the Windows build's suite
# under wine.
set -euo pipefail
cd "$(dirname "$0")/.."
# The cross compiler, wine, and GoogleTest's sources to build it for Windows; the display
# servers, window manager, screen-reader bus and tools of the window's own tests; the shells
# whose completion scripts are tested.
scripts/install-deps.sh g++-mingw-w64-x86-64-posix wine wine64 googletest \
  openbox xdotool x11-utils weston qt6-wayland at-spi2-core python3-pyatspi dbus-daemon \
  imagemagick bash-completion zsh fish
scripts/build.sh
status=0
scripts/check-layers.sh || status=1
(cd build && ctest --output-on-failure --parallel "$(nproc)" --timeout 600) || status=1
scripts/test-sanitizers.sh || status=1
scripts/test-wine.sh || status=1
exit "$status"
