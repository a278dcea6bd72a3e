#!/usr/bin/env bash
# Start-up time of Tarvello.exe under Wine and Xvfb, measured in the same run as MinimalWindow.exe (one plain
# window): from process start to the window shown, RUNS times each, alternating; prints both medians and the ratio.
# Tarvello's window appears only after its start-up sequence, i.e. with the links to DXView and the logger open,
# so the DXView and logger stand-ins are started first.
# usage: scripts/bench-startup.sh [BUILD_DIR] [RUNS]      (BUILD_DIR defaults to build/windows, RUNS to 15)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build/windows}" && pwd)
runs=${2:-15}
bin="$build/bin"
# A prefix and Xvfb of its own, so that a test run in the same build tree is neither disturbed nor measured.
bench="$build/bench-startup"
app="$bench/app"
for exe in Tarvello.exe MinimalWindow.exe DXView.exe ContestLogger.exe; do
    [ -f "$bin/$exe" ] || { echo "bench-startup: $bin/$exe is missing; build the windows preset first" >&2; exit 1; }
done
command -v xdotool >/dev/null || { echo "bench-startup: xdotool is missing" >&2; exit 1; }

mkdir -p "$app"
# Tarvello writes Error.log and its INI file beside itself: it runs from a copy, not from the build output.
cp "$bin/Tarvello.exe" "$bin/MinimalWindow.exe" "$app/"
"$root/cmake/wine-env.sh" start "$bench"
export WINEPREFIX="$bench/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
DISPLAY=$(cat "$bench/wine-env/display")
export DISPLAY

partners=()
cleanup() {
    for pid in "${partners[@]}"; do kill "$pid" 2>/dev/null || true; done
    "$root/cmake/wine-env.sh" stop "$bench"
}
trap cleanup EXIT

now_ns() { date +%s%N; }

# Waits (at most 30 s) until a visible window whose title matches the pattern exists.
wait_window() {
    local pattern=$1 deadline=$(( $(date +%s) + 30 ))
    until xdotool search --onlyvisible --name "$pattern" >/dev/null 2>&1; do
        [ "$(date +%s)" -lt "$deadline" ] || return 1
        sleep 0.005
    done
}

wait_window_gone() {
    local pattern=$1 deadline=$(( $(date +%s) + 10 ))
    while xdotool search --onlyvisible --name "$pattern" >/dev/null 2>&1; do
        [ "$(date +%s)" -lt "$deadline" ] || return 1
        sleep 0.01
    done
}

# One start: prints the milliseconds from launch to the visible window, then ends the program by its PID.
measure() {
    local exe=$1 pattern=$2 start pid
    start=$(now_ns)
    wine "$app/$exe" >/dev/null 2>&1 &
    pid=$!
    if ! wait_window "$pattern"; then
        kill "$pid" 2>/dev/null || true
        echo "bench-startup: $exe showed no window titled $pattern" >&2
        return 1
    fi
    echo $(( ($(now_ns) - start) / 1000000 ))
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    wait_window_gone "$pattern"
}

median() { sort -n | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

wine "$bin/DXView.exe" --journal "$bench/dxview-journal.txt" >/dev/null 2>&1 &
partners+=($!)
wine "$bin/ContestLogger.exe" --journal "$bench/logger-journal.txt" --call DL1ABC --angle 123 >/dev/null 2>&1 &
partners+=($!)
wait_window "DXView Info" || { echo "bench-startup: the DXView stand-in did not start" >&2; exit 1; }
wait_window "Win-Contest" || { echo "bench-startup: the logger stand-in did not start" >&2; exit 1; }

# The caption start-up sets once DXView is linked; the message box about a missing logger is titled "Tarvello"
# alone and must not count as the window.
tarvello_title='^Tarvello [0-9]'

# One unmeasured start of each fills the caches.
measure MinimalWindow.exe '^MinimalWindow$' >/dev/null
log_lines() { if [ -f "$app/Error.log" ]; then wc -l <"$app/Error.log"; else echo 0; fi; }
measure Tarvello.exe "$tarvello_title" >/dev/null
log_before=$(log_lines)

minimal=()
tarvello=()
for _ in $(seq 1 "$runs"); do
    minimal+=("$(measure MinimalWindow.exe '^MinimalWindow$')")
    tarvello+=("$(measure Tarvello.exe "$tarvello_title")")
done

minimal_median=$(printf '%s\n' "${minimal[@]}" | median)
tarvello_median=$(printf '%s\n' "${tarvello[@]}" | median)
echo "MinimalWindow.exe ms: ${minimal[*]}"
echo "Tarvello.exe ms:      ${tarvello[*]}"
echo "median MinimalWindow.exe: $minimal_median ms"
echo "median Tarvello.exe:      $tarvello_median ms"
if [ "$(log_lines)" != "$log_before" ]; then
    echo "WARNING: Tarvello logged start-up failures during the runs (see $app/Error.log): the times are not those of a complete start" >&2
fi
awk -v t="$tarvello_median" -v m="$minimal_median" 'BEGIN { printf "ratio Tarvello / MinimalWindow: %.2f\n", t / m }'
