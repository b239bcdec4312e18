#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the layer check, the native suite, the
# same suite under AddressSanitizer + UndefinedBehaviorSanitizer, the Windows build's suite
# under wine, and, meanwhile, the two packages of the native build installed into a fresh
# Debian chroot (mostly downloading, so it runs beside the builds; its output follows at the
# end).
set -euo pipefail
cd "$(dirname "$0")/.."
# The cross compiler, wine, and GoogleTest's sources to build it for Windows; the display
# servers, window manager, screen-reader bus and tools of the window's own tests; the shells
# whose completion scripts are tested; what the package test needs.
scripts/install-deps.sh g++-mingw-w64-x86-64-posix wine wine64 googletest \
  openbox xdotool x11-utils weston qt6-wayland at-spi2-core python3-pyatspi dbus-daemon \
  imagemagick bash-completion zsh fish debootstrap lintian dpkg-dev file
scripts/build.sh
status=0
mkdir -p build-pkg
scripts/test-package.sh --from-build build >build-pkg/test.log 2>&1 &
package_test=$!
scripts/check-layers.sh || status=1
(cd build && ctest --output-on-failure --parallel "$(nproc)" --timeout 600) || status=1
scripts/test-sanitizers.sh || status=1
scripts/test-wine.sh || status=1
package_status=0
wait "$package_test" || package_status=$?
echo "== package test (scripts/test-package.sh --from-build build)"
cat build-pkg/test.log
[ "$package_status" -eq 0 ] || [ "$package_status" -eq 77 ] || status=1
exit "$status"
