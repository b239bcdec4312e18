#!/usr/bin/env bash
# What the whole report costs: instructions (callgrind) on every Linux test tree and on this
# machine, then the wall time on this machine in one hyperfine run beside the floor of reading
# /proc/cpuinfo and /proc/meminfo and beside lshw, the report with --details beside the plain one:
#   bench/report.sh [OTHER_HARDLENS_REPORT]   (a second build, e.g. an older one, to set beside)
# Installs hyperfine, lshw and valgrind when missing.
set -euo pipefail
cd "$(dirname "$0")/.."
report=$PWD/build/hardlens-report
[ -x "$report" ] || scripts/build.sh
scripts/install-deps.sh hyperfine lshw valgrind >/dev/null
other=${1:-}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME=$work/config LC_ALL=C.UTF-8

instructions() { # BINARY ARGS...: instructions of one run
    valgrind --tool=callgrind --callgrind-out-file="$work/cg" "$@" 2>&1 >/dev/null |
        sed -n 's/.*Collected : \([0-9]*\).*/\1/p'
}

targets=("this machine|")
for tree in tests/data/linux/*/; do
    [ -d "$tree/proc" ] && targets+=("$(basename "$tree")|--root=$tree")
done
printf '%-16s %-14s %14s' machine options instructions
[ -n "$other" ] && printf ' %14s' other
printf '\n'
for target in "${targets[@]}"; do
    name=${target%%|*} root=${target#*|}
    for options in "" "--details" "--format=json"; do
        # --details is read by builds that know it; others stop at the usage error.
        "$report" $root $options >/dev/null 2>&1 || continue
        printf '%-16s %-14s %14s' "$name" "${options:--}" "$(instructions "$report" $root $options)"
        [ -n "$other" ] && printf ' %14s' "$(instructions "$other" $root $options)"
        printf '\n'
    done
done

# The plain report and --details side by side: the details may cost at most twice the plain.
commands=("cat /proc/cpuinfo /proc/meminfo" "lshw -quiet" "$report" "$report --details")
[ -n "$other" ] && commands+=("$other")
hyperfine -N --warmup 5 --min-runs 30 --output=null "${commands[@]}"
