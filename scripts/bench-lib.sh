# Shared set-up of the measuring scripts, sourced by them: a Wine prefix and an Xvfb of the script's own (so a
# test run in the same build tree is neither disturbed nor measured), copies of the programs to measure, the
# stand-in partners, and an end that stops everything the script started.
# Before sourcing: bench_name (the folder and the prefix in messages) and optionally bench_programs
# (executables of bin/ copied to the app folder; Tarvello writes Error.log and its INI file beside itself, so it
# always runs from a copy). Sourced with the script's arguments: the first one names the build tree.
set -euo pipefail
build=$(cd "${1:-$(dirname "${BASH_SOURCE[0]}")/../build/windows}" && pwd)
bin="$build/bin"
bench="$build/$bench_name"
app="$bench/app"
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

bench_fail() {
    echo "$bench_name: cannot measure: $*" >&2
    exit 1
}

for exe in ${bench_programs:-} DXView.exe ContestLogger.exe; do
    [ -f "$bin/$exe" ] || bench_fail "$bin/$exe is missing; build the windows preset first"
done
command -v xdotool >/dev/null || bench_fail "xdotool is missing"

mkdir -p "$app"
for exe in ${bench_programs:-}; do cp "$bin/$exe" "$app/"; done
"$root/cmake/wine-env.sh" start "$bench"
export WINEPREFIX="$bench/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
DISPLAY=$(cat "$bench/wine-env/display")
export DISPLAY

bench_pids=()
bench_cleanup() {
    for pid in "${bench_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    "$root/cmake/wine-env.sh" stop "$bench"
}
trap bench_cleanup EXIT

# Waits (at most 30 s) until a visible window whose title matches the pattern exists, or with "gone" until
# none is left.
wait_window() {
    local pattern=$1 want=${2:-shown} deadline=$(( $(date +%s) + 30 ))
    while :; do
        if xdotool search --onlyvisible --name "$pattern" >/dev/null 2>&1; then
            [ "$want" = shown ] && return 0
        else
            [ "$want" = gone ] && return 0
        fi
        [ "$(date +%s)" -lt "$deadline" ] || return 1
        sleep 0.005
    done
}

# Starts the DXView and logger stand-ins and waits for their windows.
start_partners() {
    wine "$bin/DXView.exe" --journal "$bench/DXView-journal.txt" >/dev/null 2>&1 &
    bench_pids+=($!)
    wine "$bin/ContestLogger.exe" --journal "$bench/ContestLogger-journal.txt" --call DL1ABC --angle 123 \
        >/dev/null 2>&1 &
    bench_pids+=($!)
    wait_window "DXView Info" || bench_fail "the DXView stand-in did not start"
    wait_window "Win-Contest" || bench_fail "the logger stand-in did not start"
}

median() { sort -n | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
