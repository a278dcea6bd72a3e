#!/usr/bin/env bash
# Key-to-command latency under Wine and Xvfb: Tarvello against BarePoller.exe (the poll design's floor) on the
# same desktop in one run, Return and F11 to DXView's journal entry, F8 to the posted button-down, the same two
# commands on keys chosen in Tarvello.ini (F9, Ctrl+F7), and the rotor stop's window walk against the bare calls it
# must make per window. Prints every figure and each ratio.
# usage: scripts/bench-keys.sh [BUILD_DIR]      (BUILD_DIR defaults to build/windows)
bench_name=bench-keys
source "$(dirname "$0")/bench-lib.sh" "$@"
for exe in e2e_bench.exe BarePoller.exe Tarvello.exe; do
    [ -f "$bin/$exe" ] || bench_fail "$bin/$exe is missing; build the windows preset first"
done

out="$bench/bench-keys.txt"
TARVELLO_BIN="$bin" wine "$bin/e2e_bench.exe" --gtest_filter='KeyLatency.*' >"$out" 2>&1 || true
grep -E '^(Tarvello|BarePoller)[:,]|^window walk|to execute: Tarvello|^chosen|^F8 to button-down' "$out" || true
# Every figure must be there and the run must have passed; otherwise there is nothing to report.
for figure in '^Return to execute: Tarvello' '^chosen F9 ' '^chosen Ctrl\+F7 ' '^F11    to execute: Tarvello' '^F8 to button-down: Tarvello' \
              '^window walk over' '\[  PASSED  \] 1 test'; do
    grep -qE "$figure" "$out" || bench_fail "the run gave no '$figure' (see $out)"
done
