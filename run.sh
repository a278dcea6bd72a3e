#!/usr/bin/env bash
# Installs what is missing, builds Tarvello and its stand-in partners for Windows, and runs them under Wine.
# With DISPLAY set, everything opens on your desktop and stays until you close Tarvello. Without it, a private
# Xvfb hosts a short demo: an angle and a callsign typed into the logger stand-in arrive in Tarvello, then
# Return, F11, F8 and Esc drive the DXView stand-in; a screenshot is saved and the DXView journal printed.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target Tarvello tarvello_standins
build=$PWD/build/windows
bin=$build/bin
demo=$build/demo
rm -rf "$demo" && mkdir -p "$demo"
cp "$bin/Tarvello.exe" "$demo/"
[ -f "$bin/Tarvello.chm" ] && cp "$bin/Tarvello.chm" "$demo/"

export WINEPREFIX=$build/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
own_display=""
if [ -z "${DISPLAY:-}" ]; then
    cmake/wine-env.sh start "$build"
    export DISPLAY=$(cat "$build/wine-env/display")
    own_display=yes
else
    cmake/wine-env.sh prefix "$build"
fi
# The bearing-source stand-in is a 32-bit in-process server: the 32-bit regsvr32 registers it where the 32-bit
# Tarvello looks.
[ -f "$bin/BearingSource.dll" ] && wine 'C:\windows\syswow64\regsvr32.exe' /s "$bin/BearingSource.dll" 2>/dev/null || true

pids=()
cleanup() {
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
    if [ -n "$own_display" ]; then cmake/wine-env.sh stop "$build"; else wineserver -k 2>/dev/null || true; fi
}
trap cleanup EXIT

wait_for_window() {  # title substring
    for _ in $(seq 1 100); do
        xdotool search --name "$1" >/dev/null 2>&1 && return 0
        sleep 0.2
    done
    echo "window '$1' did not appear" >&2
    return 1
}

wine "$bin/DXView.exe" --journal "$demo/DXView-journal.txt" & pids+=($!)
wait_for_window "DXView Info"
wine "$bin/ContestLogger.exe" --journal "$demo/ContestLogger-journal.txt" --call DL1ABC --angle 45 & pids+=($!)
wait_for_window "Win-Contest"
(cd "$demo" && wine ./Tarvello.exe) & pids+=($!)
wait_for_window "Tarvello 1.0.0"

if [ -z "$own_display" ]; then
    echo "Tarvello runs beside the stand-ins. Type into the Win-Contest window; close Tarvello to end."
    wait "${pids[2]}" || true
    exit 0
fi

ctl() { wine "$bin/standin-ctl.exe" "$@" >/dev/null 2>&1; }
key() {  # one key typed into the logger window, held as long as a person holds it (the poll is every 20 ms)
    local w
    w=$(xdotool search --name "Win-Contest - Stand-in" 2>/dev/null | head -n 1)
    [ -n "$w" ] && xdotool windowfocus --sync "$w" >/dev/null 2>&1 || true
    xdotool keydown "$1"
    sleep 0.2
    xdotool keyup "$1"
    sleep 0.5
}
echo "Demo: callsign DL1ABC and angle 245 typed in the logger stand-in"
ctl logger set call DL1ABC
ctl logger set angle 245
sleep 1
key Return
key F11
key F8
sleep 0.5
shot=$demo/tarvello-demo.png
import -window root "$shot"
key Escape
echo "Screenshot: $shot"
echo "DXView journal:"
cat "$demo/DXView-journal.txt"
