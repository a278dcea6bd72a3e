#!/usr/bin/env bash
# Starts or stops what the Windows tests need: a private Wine prefix in the build tree and an Xvfb of our own.
# usage: wine-env.sh start|stop BUILD_DIR
set -euo pipefail
action=$1
build=$(cd "$2" && pwd)
state="$build/wine-env"
export WINEPREFIX="$build/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$state"

start() {
    if [ -f "$state/xvfb.pid" ] && kill -0 "$(cat "$state/xvfb.pid")" 2>/dev/null; then
        return 0
    fi
    command -v Xvfb >/dev/null || { echo "Xvfb is missing: install xvfb" >&2; exit 1; }
    command -v wine >/dev/null || { echo "wine is missing: install wine64" >&2; exit 1; }
    local n=91
    while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >"$state/xvfb.log" 2>&1 &
    echo $! >"$state/xvfb.pid"
    echo ":$n" >"$state/display"
    for _ in $(seq 1 100); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
    [ -e "/tmp/.X11-unix/X$n" ] || { echo "Xvfb did not start on :$n" >&2; exit 1; }
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        DISPLAY=":$n" wineboot -i >"$state/wineboot.log" 2>&1
    fi
    # Detached from our output: a lingering wineserver must not hold the caller's pipe open.
    DISPLAY=":$n" wineserver -p 60 >/dev/null 2>&1 </dev/null || true
}

stop() {
    wineserver -k 2>/dev/null || true
    if [ -f "$state/xvfb.pid" ]; then
        kill "$(cat "$state/xvfb.pid")" 2>/dev/null || true
        rm -f "$state/xvfb.pid"
    fi
}

"$action"
