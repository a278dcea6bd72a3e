#!/usr/bin/env bash
# Start-up time of Tarvello.exe under Wine and Xvfb, measured in the same run as MinimalWindow.exe (one plain
# window): from process start to the window shown, RUNS times each, alternating; prints both medians and the ratio,
# and fails when Tarvello takes more than three times as long (a guard against a start-up that went astray).
# Tarvello's window appears only after its start-up sequence, i.e. with the links to DXView and the logger open,
# so the DXView and logger stand-ins are started first. Then StartupPhases.exe shows where Tarvello's time goes:
# the median of each phase over RUNS starts.
# usage: scripts/bench-startup.sh [BUILD_DIR] [RUNS]      (BUILD_DIR defaults to build/windows, RUNS to 15)
runs=${2:-15}
bench_name=bench-startup
bench_programs="Tarvello.exe MinimalWindow.exe StartupPhases.exe CloseWindow.exe"
source "$(dirname "$0")/bench-lib.sh" "$@"

now_ns() { date +%s%N; }

# One start: prints the milliseconds from launch to the visible window, then closes the window as an operator
# does and waits for the program's end. A kill would leave the DXView and logger stand-ins one conversation window
# each that Tarvello never ended, and every later start-up walk would visit them all.
measure() {
    local exe=$1 pattern=$2 class=$3 start pid
    start=$(now_ns)
    wine "$app/$exe" >/dev/null 2>&1 &
    pid=$!
    if ! wait_window "$pattern"; then
        kill "$pid" 2>/dev/null || true
        bench_fail "$exe showed no window titled $pattern"
    fi
    echo $(( ($(now_ns) - start) / 1000000 ))
    wine "$app/CloseWindow.exe" "$class" >/dev/null 2>&1 || bench_fail "$exe did not close its window"
    for _ in $(seq 1 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill -0 "$pid" 2>/dev/null && bench_fail "$exe did not end within 10 s of closing its window"
    wait "$pid" 2>/dev/null || true
    wait_window "$pattern" gone
    # What the end set going (the partners ending their side of the conversations) settles before the next start.
    sleep 0.3
}

start_partners

# The caption start-up sets once DXView is linked; the message box about a missing logger is titled "Tarvello"
# alone and must not count as the window.
tarvello_title='^Tarvello [0-9]'

# One unmeasured start of each fills the caches.
measure MinimalWindow.exe '^MinimalWindow$' MinimalWindow >/dev/null
log_lines() { if [ -f "$app/Error.log" ]; then wc -l <"$app/Error.log"; else echo 0; fi; }
measure Tarvello.exe "$tarvello_title" TarvelloControlWindow >/dev/null
log_before=$(log_lines)

minimal=()
tarvello=()
for _ in $(seq 1 "$runs"); do
    minimal+=("$(measure MinimalWindow.exe '^MinimalWindow$' MinimalWindow)")
    tarvello+=("$(measure Tarvello.exe "$tarvello_title" TarvelloControlWindow)")
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
awk -v t="$tarvello_median" -v m="$minimal_median" 'BEGIN { printf "ratio Tarvello / MinimalWindow: %.2f (guard: 3)\n", t / m }'
guard_failed=$(awk -v t="$tarvello_median" -v m="$minimal_median" 'BEGIN { print (t > 3 * m) ? 1 : 0 }')

# Phase by phase: one StartupPhases.exe run gives one "phase ms" line each; the medians over RUNS runs.
phases="$bench/phases.txt"
: >"$phases"
for _ in $(seq 1 "$runs"); do
    (cd "$app" && wine "$app/StartupPhases.exe" 2>/dev/null) >>"$phases" || bench_fail "StartupPhases.exe failed: $(tail -n 3 "$phases")"
done
echo "Tarvello's start-up by phase (median ms over $runs runs):"
awk '/^ *\(/ { next } { ms = $NF; $NF = ""; name = $0; sub(/ +$/, "", name);
      if (!(name in seen)) { seen[name] = 1; order[++n] = name } v[name, ++c[name]] = ms }
     END { for (i = 1; i <= n; i++) { name = order[i]; k = c[name];
             for (a = 1; a <= k; a++) s[a] = v[name, a];
             for (a = 1; a <= k; a++) for (b = a + 1; b <= k; b++) if (s[b] < s[a]) { t = s[a]; s[a] = s[b]; s[b] = t }
             printf "  %-34s %7.1f\n", name, (k % 2) ? s[(k + 1) / 2] : (s[k / 2] + s[k / 2 + 1]) / 2 } }' "$phases"
if [ "$guard_failed" = 1 ]; then
    echo "bench-startup: Tarvello's start-up takes more than three times MinimalWindow's" >&2
    exit 1
fi
