#!/usr/bin/env bash
# Installs the two Hardlens packages into a fresh, minimal Debian 12 (bookworm) chroot: first
# hardlens-report alone, which must pull in no Qt and no graphics stack, and runs it there;
# then hardlens, whose window runs off screen and natively on Wayland (weston's headless
# backend).
#
#   scripts/test-package.sh [hardlens-report.deb hardlens.deb]
#   scripts/test-package.sh --from-build DIR
#
# Without arguments it takes the newest build-pkg/hardlens-report_*.deb and
# build-pkg/hardlens_*.deb (made by scripts/package.sh). With --from-build it packages the
# build in DIR (the test command's build/, hardened like the Release one) into
# build-pkg/from-build/ with the same packaging, checks both with lintian, and tests those.
# Needs root (debootstrap, chroot, mounts): run without it, or where nothing can be mounted
# (an unprivileged container), it says so and exits 77, which the test command counts as
# skipped. The downloaded base system is kept as a tarball in build-pkg/chroot/ so that later
# runs start from a new, clean chroot without downloading it again; delete that folder to fetch
# it anew.
#
# The mirror is the first Debian one configured for apt on this machine
# (/etc/apt/sources.list and /etc/apt/sources.list.d/), or $HARDLENS_MIRROR when set.
set -euo pipefail
cd "$(dirname "$0")/.."
root_dir=$(pwd)

work="$root_dir/build-pkg/chroot"
suite=bookworm

skip() {
  echo "package test skipped: $*"
  exit 77
}
[ "$(id -u)" -eq 0 ] || skip "it needs root (debootstrap, chroot, mount)"
probe=$(mktemp -d)
if ! mount -t tmpfs none "$probe" 2>/dev/null; then
  rmdir "$probe"
  skip "this system does not let root mount file systems"
fi
umount "$probe"
rmdir "$probe"

newest() { ls -t $1 2>/dev/null | head -n 1 || true; }
if [ "${1:-}" = --from-build ]; then
  from=build-pkg/from-build
  rm -rf "$from"
  mkdir -p "$from"
  (cd "${2:?--from-build needs the build folder}" && cpack -G DEB -B "$root_dir/$from/cpack" >/dev/null)
  mv "$from"/cpack/*.deb "$from/"
  echo "== lintian --pedantic"
  lintian --pedantic --display-info --fail-on error,warning,info,pedantic "$from"/*.deb
  echo "lintian: no tags"
  set -- "$(newest "$from/hardlens-report_*.deb")" "$(newest "$from/hardlens_*.deb")"
fi
report_deb=${1:-$(newest 'build-pkg/hardlens-report_*.deb')}
window_deb=${2:-$(newest 'build-pkg/hardlens_*.deb')}
for deb in "$report_deb" "$window_deb"; do
  if [ -z "$deb" ] || [ ! -f "$deb" ]; then
    echo "Packages not found: run scripts/package.sh first, or name both .debs." >&2
    exit 2
  fi
done
absolute() { echo "$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"; }
report_deb=$(absolute "$report_deb")
window_deb=$(absolute "$window_deb")

./scripts/install-deps.sh debootstrap lintian dpkg-dev file

# The Debian mirror apt uses here: one-line entries ("deb URI SUITE ...") and deb822
# stanzas ("URIs:" / "Suites:"). The security archive is skipped: debootstrap needs the main one.
find_mirror() {
  local f
  for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [ -f "$f" ] || continue
    awk '$1 == "deb" {
           i = 2; if ($i ~ /^\[/) { while ($i !~ /\]$/) i++; i++ }
           if ($(i+1) ~ /^(bookworm|stable)$/ && $i !~ /security/) { print $i; exit }
         }' "$f"
  done
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] || continue
    # One stanza per blank-line-separated paragraph.
    awk 'BEGIN { RS = ""; FS = "\n" }
         {
           uris = ""; suites = ""; types = ""
           for (n = 1; n <= NF; n++) {
             if ($n ~ /^URIs:/)   { uris = $n;   sub(/^URIs:[ \t]*/, "", uris) }
             if ($n ~ /^Suites:/) { suites = $n; sub(/^Suites:[ \t]*/, "", suites) }
             if ($n ~ /^Types:/)  { types = $n }
           }
           if (types ~ /(^|[ \t])deb([ \t]|$)/ && (" " suites " ") ~ / (bookworm|stable) / &&
               uris !~ /security/) {
             split(uris, u, /[ \t]+/); print u[1]; exit
           }
         }' "$f"
  done
}
mirror=${HARDLENS_MIRROR:-$(find_mirror | head -n 1)}
if [ -z "$mirror" ]; then
  echo "No Debian $suite mirror found in the apt sources of this machine; set HARDLENS_MIRROR." >&2
  exit 2
fi
echo "== mirror: $mirror"

mkdir -p "$work"
tarball="$work/$suite-minbase.tgz"
if [ ! -s "$tarball" ]; then
  echo "== downloading the $suite base system (once)"
  rm -rf "$work/tarball-tmp"
  debootstrap --variant=minbase --make-tarball="$tarball.part" "$suite" "$work/tarball-tmp" "$mirror"
  rm -rf "$work/tarball-tmp"
  mv "$tarball.part" "$tarball"
fi

target="$work/root"
mounted=()
cleanup() {
  local i
  for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do
    umount -l "${mounted[$i]}" 2>/dev/null || true
  done
}
trap cleanup EXIT

# Leftover mounts from an interrupted run must go before the old tree is removed.
for m in proc sys dev/pts dev; do
  mountpoint -q "$target/$m" 2>/dev/null && umount -l "$target/$m"
done
if grep -q " $target/" /proc/mounts; then
  echo "Something is still mounted under $target; not removing it." >&2
  exit 1
fi
rm -rf "$target"

echo "== creating a fresh $suite chroot"
debootstrap --variant=minbase --unpack-tarball="$tarball" "$suite" "$target" "$mirror" >"$work/debootstrap.log" 2>&1 ||
  { tail -n 30 "$work/debootstrap.log" >&2; exit 1; }

# Same apt sources as the mirror debootstrap used (plus updates, for current libraries).
cat >"$target/etc/apt/sources.list" <<EOF
deb $mirror $suite main
deb $mirror $suite-updates main
EOF
cp /etc/resolv.conf "$target/etc/resolv.conf" 2>/dev/null || true

mount -t proc proc "$target/proc";        mounted+=("$target/proc")
mount --rbind /sys "$target/sys";         mounted+=("$target/sys")
mount --make-rslave "$target/sys"
mount --rbind /dev "$target/dev";         mounted+=("$target/dev")
mount --make-rslave "$target/dev"

mkdir -p -m 700 "$target/run/user/0" # the runtime folder a login would give root
cp "$report_deb" "$window_deb" "$target/tmp/"
report_name=$(basename "$report_deb")
window_name=$(basename "$window_deb")

in_chroot() { chroot "$target" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root \
                LANG=C.UTF-8 DEBIAN_FRONTEND=noninteractive "$@"; }

status=0
run() {
  printf '== $'; printf ' %q' "$@"; printf '\n'
  set +e
  in_chroot "$@"
  local rc=$?
  set -e
  echo "== exit status $rc"
  [ "$rc" -eq 0 ] || status=1
}
installed() {
  local f
  for f in "$@"; do
    if [ -s "$target$f" ]; then echo "== installed: $f"; else echo "== MISSING: $f"; status=1; fi
  done
}

# ---- the command line alone, as a server gets it ------------------------------------------------
in_chroot apt-get update -qq
in_chroot dpkg-query -W -f='${Package}\n' | sort >"$work/before.txt"
echo "== apt-get install ./$report_name (recommends included)"
in_chroot sh -c "cd /tmp && apt-get install -y -q ./$report_name"
in_chroot dpkg-query -W -f='${Package}\n' | sort >"$work/after-report.txt"
pulled=$(comm -13 "$work/before.txt" "$work/after-report.txt")
# shellcheck disable=SC2086 # one package name per word
kib=$(in_chroot dpkg-query -W -f='${Installed-Size}\n' $pulled | awk '{ s += $1 } END { print s }')
echo "== hardlens-report pulled $(echo "$pulled" | wc -l) packages (itself included)," \
     "$((kib / 1024)) MiB installed: $(echo $pulled)"
if echo "$pulled" | grep -E '^(libqt6|qt6-|libgl|libegl|mesa|libllvm|libx11)'; then
  echo "== FAILED: the command-line package pulls in Qt or a graphics stack"
  status=1
fi

# This machine, through /proc and /sys.
run hardlens-report --version
run hardlens-report --section 1
run sh -c 'hardlens-report > /dev/null'

# A recorded machine from the test data: the report code works whatever this machine is.
cp tests/data/machines/rich.json "$target/tmp/rich.json"
run hardlens-report --snapshot /tmp/rich.json --section 5
run sh -c 'hardlens-report --snapshot /tmp/rich.json --format html > /tmp/rich.html && test -s /tmp/rich.html'

installed /usr/bin/hardlens-report /usr/share/man/man1/hardlens-report.1.gz \
  /usr/share/bash-completion/completions/hardlens-report \
  /usr/share/zsh/vendor-completions/_hardlens-report \
  /usr/share/fish/vendor_completions.d/hardlens-report.fish \
  /usr/share/hardlens/hardlens-report.schema.json /usr/share/hardlens/hardlens-compare.schema.json \
  /usr/share/hardlens/hardlens-inventory.schema.json \
  /usr/share/doc/hardlens-report/copyright /usr/share/doc/hardlens-report/changelog.gz

# The version reads the same in the program and in the package.
run sh -c 'test "$(hardlens-report --version)" = "hardlens-report $(dpkg-query -W -f="\${Version}" hardlens-report)"'
# Text leaves as UTF-8 with LF even under the C locale.
run sh -c 'LC_ALL=C hardlens-report --snapshot /tmp/rich.json --language Spanish --output /tmp/r.txt &&
           grep -q "Espa$(printf "\303\261")ol" /tmp/r.txt && ! grep -q "$(printf "\r")" /tmp/r.txt'

# ---- the window ---------------------------------------------------------------------------------
echo "== apt-get install ./$window_name"
in_chroot sh -c "cd /tmp && apt-get install -y -q ./$window_name"

# The window's files are where desktops look for them, and the window links against what the
# package pulled in.
installed /usr/bin/hardlens /usr/share/applications/org.hardlens.Hardlens.desktop \
  /usr/share/metainfo/org.hardlens.Hardlens.metainfo.xml \
  /usr/share/icons/hicolor/scalable/apps/org.hardlens.Hardlens.svg \
  /usr/share/man/man1/hardlens.1.gz /usr/share/bash-completion/completions/hardlens \
  /usr/share/doc/hardlens/copyright /usr/share/doc/hardlens/changelog.gz
run sh -c '! ldd /usr/bin/hardlens | grep "not found"'
# --help and --version answer without a display.
run sh -c 'hardlens --help | grep -q -- --snapshot'
run sh -c 'test "$(hardlens --version)" = "hardlens $(dpkg-query -W -f="\${Version}" hardlens)"'
# The window itself, off screen, on the recorded machine: it shows its first section and quits.
run env QT_QPA_PLATFORM=offscreen HARDLENS_EXIT_AFTER_FIRST_SECTION=1 \
        XDG_RUNTIME_DIR=/run/user/0 hardlens --snapshot /tmp/rich.json

# The window natively on Wayland, under weston's headless backend: installing the recommended
# qt6-wayland plugin must be enough.
in_chroot apt-get install -y -q weston qt6-wayland >/dev/null
cat >"$target/tmp/wayland-test.sh" <<'EOF'
export XDG_RUNTIME_DIR=/run/user/0
weston --backend=headless-backend.so --socket=wayland-hardlens --idle-time=0 >/tmp/weston.log 2>&1 &
weston=$!
for i in $(seq 50); do [ -S "$XDG_RUNTIME_DIR/wayland-hardlens" ] && break; sleep 0.2; done
rc=1
if [ -S "$XDG_RUNTIME_DIR/wayland-hardlens" ]; then
  QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY=wayland-hardlens HARDLENS_SNAPSHOT=/tmp/rich.json \
    HARDLENS_EXIT_AFTER_FIRST_SECTION=1 timeout 60 hardlens
  rc=$?
else
  echo "weston did not start:"; cat /tmp/weston.log
fi
kill "$weston" 2>/dev/null; wait "$weston" 2>/dev/null
exit "$rc"
EOF
run sh /tmp/wayland-test.sh

if [ "$status" -eq 0 ]; then
  echo "== package test passed"
else
  echo "== package test FAILED" >&2
fi
exit "$status"
