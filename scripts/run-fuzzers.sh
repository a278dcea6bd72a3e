#!/usr/bin/env bash
# Configures and builds the clang "fuzz" preset, then runs every fuzz target for SECONDS (default 20).
# Prints each target's executions and any finding; exits non-zero when a target finds something.
# usage: scripts/run-fuzzers.sh [SECONDS]
set -uo pipefail
seconds=${1:-20}
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
cmake --preset fuzz >/dev/null || exit 2
cmake --build --preset fuzz --target $(ls fuzz/fuzz_*.cpp | xargs -n1 basename | sed 's/\.cpp$//') || exit 2

build="$root/build/fuzz/fuzz"
failed=0
for source in fuzz/fuzz_*.cpp; do
    name=$(basename "$source" .cpp)
    corpus="$root/build/fuzz/corpus/$name"
    mkdir -p "$corpus"
    log="$root/build/fuzz/$name.log"
    dictionary=()
    [ -f "fuzz/$name.dict" ] && dictionary=(-dict="$root/fuzz/$name.dict")
    (cd "$root/build/fuzz" && "$build/$name" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 "${dictionary[@]}" "$corpus") >"$log" 2>&1
    rc=$?
    runs=$(grep -m1 '^stat::number_of_executed_units' "$log" | awk '{print $2}')
    if [ $rc -eq 0 ]; then
        echo "$name: ${runs:-?} executions in ${seconds}s, no findings"
    else
        failed=1
        echo "$name: FINDING (exit $rc) after ${runs:-?} executions; log $log"
        grep -E 'ERROR|SUMMARY|Test unit written' "$log" | head -5
    fi
done
exit $failed
