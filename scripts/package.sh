#!/usr/bin/env bash
# Builds the Debian package of Hardlens: a Release build in build-pkg/release, then
# `cpack -G DEB` there. The .deb lands in build-pkg/ (hardlens_VERSION_ARCH.deb).
#
#   scripts/package.sh [extra cmake arguments]
#
# Installs the Debian packages needed to build (and dpkg-dev, whose dpkg-shlibdeps computes
# the package's dependencies) when they are missing.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/install-deps.sh dpkg-dev file

build=build-pkg/release
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
      -DHARDLENS_BUILD_TESTS=OFF -DHARDLENS_BUILD_GUI=ON "$@"
cmake --build "$build" --parallel "$(nproc)"
(cd "$build" && cpack -G DEB -B "$PWD/../cpack")

deb=$(ls -t build-pkg/cpack/hardlens_*.deb | head -n 1)
cp "$deb" build-pkg/
deb=build-pkg/$(basename "$deb")
echo
echo "Package: $deb"
dpkg-deb --info "$deb"
dpkg-deb --contents "$deb"
