#!/usr/bin/env bash
# Installs the Debian 12 packages Hardlens needs to build and test, when they are missing.
set -euo pipefail

packages=(g++ cmake ninja-build pkg-config libgtest-dev qt6-base-dev qt6-svg-dev
          nlohmann-json3-dev xvfb xauth hwdata libbenchmark-dev
          qt6-translations-l10n ansible-core python3-jsonschema)
packages+=("$@")

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
