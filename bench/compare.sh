#!/usr/bin/env bash
# Times the whole hardlens-report process beside the system-information tools that are
# installed (hwinfo, lshw, inxi), with hyperfine, and prints each one's median as a ratio to
# hardlens-report's:   bench/compare.sh [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-30}
command -v hyperfine >/dev/null || { echo "needs hyperfine (apt-get install hyperfine)"; exit 2; }
[ -x build/hardlens-report ] || scripts/build.sh

commands=("build/hardlens-report")
command -v hwinfo >/dev/null && commands+=("hwinfo --short")
command -v lshw >/dev/null && commands+=("lshw -short")
command -v inxi >/dev/null && commands+=("inxi -F")

out=$(mktemp)
trap 'rm -f "$out"' EXIT
hyperfine -N --warmup 3 --runs "$runs" --export-json "$out" --output=null "${commands[@]}" >&2

python3 - "$out" <<'PY'
import json, sys
results = json.load(open(sys.argv[1]))["results"]
base = results[0]["median"]
print(f"{'command':<24}{'median ms':>12}{'ratio':>10}")
for r in results:
    print(f"{r['command']:<24}{r['median'] * 1000:>12.1f}{r['median'] / base:>10.1f}")
PY
