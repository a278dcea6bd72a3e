#!/usr/bin/env bash
# Idle cost of Tarvello under Wine: its CPU time (user + system, from /proc) over SECONDS of polling the keys
# beside the stand-ins, as a share of one core, measured in the same run as MinimalWindow.exe, which only
# pumps messages. usage: scripts/bench-idle.sh [BUILD_DIR] [SECONDS]   (defaults: build/windows, 60)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build/windows}" && pwd)
seconds=${2:-60}
bin="$build/bin"
bench="$build/bench-idle"
app="$bench/app"
mkdir -p "$app"
cp "$bin/Tarvello.exe" "$bin/MinimalWindow.exe" "$app/"
"$root/cmake/wine-env.sh" start "$bench"
export WINEPREFIX="$bench/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
DISPLAY=$(cat "$bench/wine-env/display")
export DISPLAY
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    "$root/cmake/wine-env.sh" stop "$bench"
}
trap cleanup EXIT

wait_window() {
    for _ in $(seq 1 300); do
        xdotool search --onlyvisible --name "$1" >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    echo "bench-idle: window '$1' did not appear" >&2
    exit 1
}
# CPU ticks (user + system) of the Linux process that runs the given exe under Wine. Wine shows the program
# under its Windows path (backslashes, a drive letter), so only the file name is looked for. A process that
# cannot be found is no figure: the script says so and stops.
ticks() {
    local pid
    pid=$(pgrep -f "$1" | head -n 1)
    if [ -z "$pid" ] || [ ! -r "/proc/$pid/stat" ]; then
        echo "bench-idle: cannot measure: no running process matches '$1'" >&2
        exit 1
    fi
    awk '{print $14 + $15}' "/proc/$pid/stat"
}

wine "$bin/DXView.exe" --journal "$bench/DXView-journal.txt" >/dev/null 2>&1 & pids+=($!)
wait_window "DXView Info"
wine "$bin/ContestLogger.exe" --journal "$bench/ContestLogger-journal.txt" >/dev/null 2>&1 & pids+=($!)
wait_window "Win-Contest"
(cd "$app" && exec wine "$app/Tarvello.exe") >/dev/null 2>&1 & pids+=($!)
wait_window "Tarvello 1"
wine "$app/MinimalWindow.exe" >/dev/null 2>&1 & pids+=($!)
wait_window "MinimalWindow"
sleep 2
hz=$(getconf CLK_TCK)
t0=$(ticks 'Tarvello\.exe'); m0=$(ticks 'MinimalWindow\.exe')
sleep "$seconds"
t1=$(ticks 'Tarvello\.exe'); m1=$(ticks 'MinimalWindow\.exe')
awk -v t=$((t1 - t0)) -v m=$((m1 - m0)) -v hz="$hz" -v s="$seconds" 'BEGIN {
    printf "idle CPU over %d s: Tarvello %.3f %% of one core (%d ticks), MinimalWindow %.3f %% (%d ticks)\n",
           s, 100 * t / hz / s, t, 100 * m / hz / s, m }'
