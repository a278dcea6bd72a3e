#!/usr/bin/env bash
# Idle cost of Tarvello under Wine: its CPU time (user + system, from /proc) over SECONDS of polling the keys
# beside the stand-ins, as a share of one core, measured in the same run as MinimalWindow.exe, which only
# pumps messages. usage: scripts/bench-idle.sh [BUILD_DIR] [SECONDS]   (defaults: build/windows, 60)
seconds=${2:-60}
bench_name=bench-idle
bench_programs="Tarvello.exe MinimalWindow.exe"
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
wine "$app/MinimalWindow.exe" >/dev/null 2>&1 &
bench_pids+=($!)
wait_window "MinimalWindow" || bench_fail "MinimalWindow showed no window"
sleep 2
hz=$(getconf CLK_TCK)
t0=$(ticks 'Tarvello\.exe'); m0=$(ticks 'MinimalWindow\.exe')
sleep "$seconds"
t1=$(ticks 'Tarvello\.exe'); m1=$(ticks 'MinimalWindow\.exe')
awk -v t=$((t1 - t0)) -v m=$((m1 - m0)) -v hz="$hz" -v s="$seconds" 'BEGIN {
    printf "idle CPU over %d s: Tarvello %.3f %% of one core (%d ticks), MinimalWindow %.3f %% (%d ticks)\n",
           s, 100 * t / hz / s, t, 100 * m / hz / s, m }'
