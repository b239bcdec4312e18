#!/usr/bin/env bash
# Builds the libFuzzer targets with clang into build-fuzz/ and runs each for SECONDS (default
# 600), JOBS at a time (default: the number of processors). New inputs go to build-fuzz/corpus;
# crashes are left in build-fuzz/crashes/<target>/ — copy them into fuzz/regressions/<target>/
# once fixed, so that the replay test keeps them fixed.
#   scripts/fuzz.sh [SECONDS] [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-600}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(snapshot settings numbers sizes wmidate productkey pipeline fleet
    mountinfo cpuinfo edid smbios input osrelease utmp logins bounded)
jobs=${JOBS:-$(nproc)}

scripts/install-deps.sh clang libclang-rt-14-dev
[ -f build-fuzz/build.ninja ] || cmake --preset fuzz
cmake --build build-fuzz --parallel "$(nproc)"

run_one() {
    local t=$1 work=build-fuzz/corpus/$1 crashes=build-fuzz/crashes/$1 rc=0
    mkdir -p "$work" "$crashes"
    local dict=() started=$SECONDS
    [ -f "fuzz/dict/$t.dict" ] && dict=(-dict="fuzz/dict/$t.dict")
    build-fuzz/fuzz/fuzz_"$t" "$work" "fuzz/corpus/$t" "fuzz/regressions/$t" "${dict[@]}" \
        -max_total_time="$seconds" -max_len=16384 -timeout=10 -rss_limit_mb=2048 \
        -artifact_prefix="$crashes/" -print_final_stats=1 >"build-fuzz/$t.log" 2>&1 || rc=$?
    echo "$t: exit $rc, $(grep -h 'stat::number_of_executed_units' "build-fuzz/$t.log" | awk '{print $2}') runs in $((SECONDS - started))s"
    return $rc
}

status=0
pids=()
for t in "${targets[@]}"; do
    mkdir -p "fuzz/regressions/$t"
    run_one "$t" &
    pids+=($!)
    if [ ${#pids[@]} -ge "$jobs" ]; then
        wait "${pids[0]}" || status=1
        pids=("${pids[@]:1}")
    fi
done
for p in "${pids[@]}"; do wait "$p" || status=1; done
[ $status -eq 0 ] || echo "crashes: see build-fuzz/crashes/ and build-fuzz/<target>.log"
exit $status
