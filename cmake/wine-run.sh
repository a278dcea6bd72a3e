#!/usr/bin/env bash
# Runs one Windows executable under Wine inside the environment that wine-env.sh started.
set -euo pipefail
exe=$1
shift
dir=$(cd "$(dirname "$exe")" && pwd)
build=$dir
while [ "$build" != "/" ] && [ ! -f "$build/CMakeCache.txt" ]; do build=$(dirname "$build"); done
state="$build/wine-env"
if [ ! -f "$state/display" ]; then
    echo "wine-run: no Xvfb/Wine environment; run through ctest (fixture wine_env) or cmake/wine-env.sh start $build" >&2
    exit 1
fi
export WINEPREFIX="$build/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" DISPLAY=$(cat "$state/display")
exec wine "$exe" "$@"
