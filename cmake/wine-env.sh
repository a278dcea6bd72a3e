#!/usr/bin/env bash
# Starts or stops what the Windows tests need: a private Wine prefix in the build tree and an Xvfb of our own.
# usage: wine-env.sh start|stop|prefix BUILD_DIR
#   prefix: only makes sure the prefix exists and runs 32-bit programs (no Xvfb); used by run.sh.
set -euo pipefail
action=$1
build=$(cd "$2" && pwd)
state="$build/wine-env"
export WINEPREFIX="$build/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$state"

# A prefix made before wine32 was installed has a syswow64 folder but no 32-bit kernel32 in it, and every
# 32-bit program then fails with "could not load kernel32.dll". Such a prefix is made anew.
prefix() {
    if [ -d "$WINEPREFIX" ] && [ ! -f "$WINEPREFIX/drive_c/windows/syswow64/kernel32.dll" ]; then
        echo "wine-env: the prefix $WINEPREFIX cannot run 32-bit programs; making it anew" >&2
        wineserver -k 2>/dev/null || true
        rm -rf "$WINEPREFIX"
    fi
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        wineboot -i >"$state/wineboot.log" 2>&1 </dev/null
    fi
    if [ ! -f "$WINEPREFIX/drive_c/windows/syswow64/kernel32.dll" ]; then
        echo "wine-env: Wine cannot run 32-bit programs: install wine32 (dpkg --add-architecture i386)" >&2
        exit 1
    fi
}

start() {
    if [ -f "$state/xvfb.pid" ] && kill -0 "$(cat "$state/xvfb.pid")" 2>/dev/null; then
        return 0
    fi
    command -v Xvfb >/dev/null || { echo "Xvfb is missing: install xvfb" >&2; exit 1; }
    command -v wine >/dev/null || { echo "wine is missing: install wine and wine32" >&2; exit 1; }
    local n=91
    while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >"$state/xvfb.log" 2>&1 &
    echo $! >"$state/xvfb.pid"
    echo ":$n" >"$state/display"
    for _ in $(seq 1 100); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
    [ -e "/tmp/.X11-unix/X$n" ] || { echo "Xvfb did not start on :$n" >&2; exit 1; }
    export DISPLAY=":$n"
    prefix
    # Detached from our output: a lingering wineserver must not hold the caller's pipe open.
    wineserver -p 60 >/dev/null 2>&1 </dev/null || true
    # The first Wine program after a fresh wineserver starts Wine's services (explorer, winedevice), which
    # inherit that program's output. Started here with no output of ours, they cannot keep a test's pipe open.
    wineboot </dev/null >/dev/null 2>&1 || true
}

stop() {
    wineserver -k 2>/dev/null || true
    if [ -f "$state/xvfb.pid" ]; then
        kill "$(cat "$state/xvfb.pid")" 2>/dev/null || true
        rm -f "$state/xvfb.pid"
    fi
}

"$action"
