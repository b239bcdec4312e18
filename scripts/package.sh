#!/usr/bin/env bash
# Builds the two Debian packages of Hardlens: a Release build in build-pkg/release, then
# `cpack -G DEB` there. The .debs land in build-pkg/:
#   hardlens-report_VERSION_ARCH.deb   the command line (no Qt)
#   hardlens_VERSION_ARCH.deb          the window (depends on hardlens-report and Qt)
#
#   scripts/package.sh [extra cmake arguments]
#
# The packages are reproducible: every time stamp in them (files, Qt resources) is the time of
# the last commit (SOURCE_DATE_EPOCH) and no build path is compiled in. Each build starts from
# an empty folder; a compiler cache (CMAKE_CXX_COMPILER_LAUNCHER=ccache) makes that cheap. To prove it, the script builds them a
# second time in another folder (build-pkg/again) and fails unless both builds give the same
# sha256; HARDLENS_REPRO_CHECK=0 skips that second build. lintian then checks both packages
# (--pedantic --display-info) and the script fails on any tag it reports; the few it is told
# to pass over are in packaging/lintian/, with the reason.
#
# Installs the Debian packages needed to build (dpkg-dev, whose dpkg-shlibdeps computes the
# packages' dependencies) and lintian when they are missing.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/install-deps.sh dpkg-dev file lintian

if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
  SOURCE_DATE_EPOCH=$(git log -1 --format=%ct 2>/dev/null || stat -c %Y CMakeLists.txt)
fi
export SOURCE_DATE_EPOCH
echo "SOURCE_DATE_EPOCH=$SOURCE_DATE_EPOCH ($(date -u -d "@$SOURCE_DATE_EPOCH"))"

# build_debs FOLDER CPACK_FOLDER [cmake arguments]: a fresh Release build and its packages.
build_debs() {
  local build=$1 out=$2
  shift 2
  # Always from scratch: an incremental build would keep files made under an older time stamp.
  rm -rf "$build" "$out"
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
        -DHARDLENS_BUILD_TESTS=OFF -DHARDLENS_BUILD_GUI=ON \
        "-DCMAKE_CXX_FLAGS=-ffile-prefix-map=$PWD/=" "$@" >/dev/null
  cmake --build "$build" --parallel "$(nproc)"
  (cd "$build" && cpack -G DEB -B "$PWD/../$(basename "$out")" >/dev/null)
}

build_debs build-pkg/release build-pkg/cpack "$@"
debs=()
for deb in build-pkg/cpack/*.deb; do
  cp "$deb" build-pkg/
  debs+=("build-pkg/$(basename "$deb")")
done

status=0
if [ "${HARDLENS_REPRO_CHECK:-1}" != 0 ]; then
  echo
  echo "== building again in build-pkg/again, to compare"
  build_debs build-pkg/again build-pkg/cpack-again "$@"
  for deb in build-pkg/cpack/*.deb; do
    again=build-pkg/cpack-again/$(basename "$deb")
    first_sum=$(sha256sum <"$deb" | cut -d' ' -f1)
    again_sum=$(sha256sum <"$again" 2>/dev/null | cut -d' ' -f1 || true)
    if [ "$first_sum" = "$again_sum" ]; then
      echo "reproducible: $(basename "$deb") $first_sum"
    else
      echo "NOT reproducible: $(basename "$deb") $first_sum, again ${again_sum:-missing}" >&2
      status=1
    fi
  done
fi

echo
for deb in "${debs[@]}"; do
  echo "== $deb"
  dpkg-deb --info "$deb"
  dpkg-deb --contents "$deb"
done

echo
echo "== lintian --pedantic"
if lintian --pedantic --display-info --fail-on error,warning,info,pedantic "${debs[@]}"; then
  echo "lintian: no tags"
else
  status=1
fi
exit "$status"
