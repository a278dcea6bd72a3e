#!/usr/bin/env bash
# Idle cost of Tarvello under Wine: its CPU time (user + system, from /proc) over SECONDS of polling the keys
# beside the stand-ins, as a share of one core, measured in the same run as BarePoller.exe, which reads the same
# four keys every 20 ms and does nothing else. Prints both, the difference and the ratio.
# usage: scripts/bench-idle.sh [BUILD_DIR] [SECONDS]   (defaults: build/windows, 60)
seconds=${2:-60}
bench_name=bench-idle
bench_programs="Tarvello.exe BarePoller.exe"
source "$(dirname "$0")/bench-lib.sh" "$@"

# CPU ticks (user + system) of the Linux process that runs the given exe under Wine. Wine shows the program
# under its Windows path (backslashes, a drive letter), so only the file name is looked for. A process that
# cannot be found is no figure: the script says so and stops.
ticks() {
    local pid
    pid=$(pgrep -f "$1" | head -n 1)
    if [ -z "$pid" ] || [ ! -r "/proc/$pid/stat" ]; then
        bench_fail "no running process matches '$1'"
    fi
    awk '{print $14 + $15}' "/proc/$pid/stat"
}

start_partners
(cd "$app" && exec wine "$app/Tarvello.exe") >/dev/null 2>&1 &
bench_pids+=($!)
wait_window "Tarvello 1" || bench_fail "Tarvello showed no window"
wine "$app/BarePoller.exe" >/dev/null 2>&1 &
bench_pids+=($!)
sleep 2
hz=$(getconf CLK_TCK)
t0=$(ticks 'Tarvello\.exe'); b0=$(ticks 'BarePoller\.exe')
sleep "$seconds"
t1=$(ticks 'Tarvello\.exe'); b1=$(ticks 'BarePoller\.exe')
awk -v t=$((t1 - t0)) -v b=$((b1 - b0)) -v hz="$hz" -v s="$seconds" 'BEGIN {
    tp = 100 * t / hz / s; bp = 100 * b / hz / s
    printf "idle CPU over %d s: Tarvello %.3f %% of one core (%d ticks), BarePoller %.3f %% (%d ticks)\n", s, tp, t, bp, b
    printf "difference %.3f percentage points (aim 0.1 or less)", tp - bp
    if (b > 0) printf ", ratio %.2f", t / b
    printf "\n" }'
