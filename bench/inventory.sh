#!/usr/bin/env bash
# Times hardlens-report --inventory over a fleet of recordings (copies of the desktop fixture,
# each with a name of its own), and shows that its peak memory does not grow with the fleet:
#   bench/inventory.sh [COUNT...]     (default: 500 5000)
# Needs /usr/bin/time; with hyperfine installed, also its mean and spread over a few runs.
set -euo pipefail
cd "$(dirname "$0")/.."
report=build/hardlens-report
[ -x "$report" ] || scripts/build.sh
counts=("$@")
[ ${#counts[@]} -gt 0 ] || counts=(500 5000)
fixture=tests/data/machines/desktop.json
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME=$work/config

fleet() { # COUNT: a folder of COUNT recordings
    local dir=$work/fleet-$1
    mkdir -p "$dir"
    for ((i = 0; i < $1; i++)); do
        sed "s/\"Model\": \"H61M-S2\"/\"Name\": \"PC-$i\", \"Model\": \"H61M-S2\"/" \
            "$fixture" >"$dir/pc-$(printf %05d "$i").json"
    done
    echo "$dir"
}

printf '%-8s %10s %14s\n' recordings seconds max_rss_kb
for count in "${counts[@]}"; do
    dir=$(fleet "$count")
    lines=$("$report" --inventory "$dir" | wc -l)
    [ "$lines" -eq $((count + 1)) ] || { echo "expected $((count + 1)) lines, got $lines"; exit 1; }
    /usr/bin/time -f '%e %M' -o "$work/time" "$report" --inventory "$dir" >/dev/null
    read -r seconds rss <"$work/time"
    printf '%-8s %10s %14s\n' "$count" "$seconds" "$rss"
    if command -v hyperfine >/dev/null; then
        hyperfine -N --warmup 1 --runs 5 --output=null \
            "$report --inventory $dir" >&2
    fi
done
