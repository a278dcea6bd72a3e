#!/usr/bin/env bash
# Installs what is missing, builds Tarvello and its stand-in partners for Windows, and runs them under Wine.
# With DISPLAY set, everything opens on your desktop and stays until you close Tarvello. Without it, a private
# Xvfb hosts a short demo in a Wine virtual desktop: Tarvello shows the logger stand-in's callsign and angle,
# then Return, F11, F8 and Esc typed into the logger drive the DXView stand-in; a screenshot is saved and the
# DXView journal printed.
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

# On the operator's desktop each program gets a window of its own. On the private Xvfb, which has no window manager,
# they share a Wine virtual desktop, which draws frames and captions as a user sees them.
desktop_size=1100x440
start() {  # program and arguments
    if [ -n "$own_display" ]; then
        wine explorer /desktop=Tarvello-Demo,$desktop_size "$@" >/dev/null 2>&1 &
    else
        wine "$@" &
    fi
    pids+=($!)
}
wait_for_line() {  # journal, text
    for _ in $(seq 1 100); do
        grep -q "$2" "$1" 2>/dev/null && return 0
        sleep 0.2
    done
    echo "no '$2' in $1" >&2
    return 1
}

start "$bin/DXView.exe" --journal "$demo/DXView-journal.txt"
wait_for_line "$demo/DXView-journal.txt" READY
start "$bin/ContestLogger.exe" --journal "$demo/ContestLogger-journal.txt" --call DL1ABC --angle 245
wait_for_line "$demo/ContestLogger-journal.txt" READY
cd "$demo"
start ./Tarvello.exe
cd - >/dev/null
# Tarvello shows its window once its start-up has linked the logger's angle.
wait_for_line "$demo/ContestLogger-journal.txt" "ADVSTART c2 Winkel"
sleep 1

if [ -z "$own_display" ]; then
    echo "Tarvello runs beside the stand-ins. Type into the Win-Contest window; close Tarvello to end."
    wait "${pids[2]}" || true
    exit 0
fi

# Keys typed into the logger, held as long as a person holds them (the poll is every 20 ms). A click on the
# logger's caption inside the virtual desktop gives it the keyboard, as an operator's would.
desk=$(xdotool search --name "Tarvello-Demo" 2>/dev/null | head -n 1)
xdotool windowfocus --sync "$desk" mousemove --window "$desk" 180 10 click 1 >/dev/null 2>&1 || true
key() {
    xdotool keydown "$1"
    sleep 0.2
    xdotool keyup "$1"
    sleep 0.5
}
echo "Demo: callsign DL1ABC and angle 245 in the logger stand-in; Return, F11 and F8 typed there"
key Return
key F11
key F8
sleep 0.5
shot=$demo/tarvello-demo.png
import -window root -crop "$desktop_size+0+0" "$shot"
key Escape
echo "Screenshot: $shot"
echo "DXView journal:"
cat "$demo/DXView-journal.txt"
