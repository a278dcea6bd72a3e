#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: host unit tests (plain and with
# sanitizers), the fuzz targets for a short while, and the Windows build's unit, Win32 and end-to-end tests
# under Wine and Xvfb.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh

echo "== host =="
cmake --preset host >/dev/null
cmake --build --preset host
ctest --preset host

echo "== host with AddressSanitizer and UndefinedBehaviorSanitizer =="
cmake --preset host-asan >/dev/null
cmake --build --preset host-asan
ctest --preset host-asan

if [ -x scripts/run-fuzzers.sh ]; then
    echo "== fuzz targets =="
    scripts/run-fuzzers.sh "${FUZZ_SECONDS:-15}"
fi

echo "== windows (mingw-w64, 32-bit, tests under Wine) =="
cmake --preset windows >/dev/null
cmake --build --preset windows
ctest --preset windows
# Once more in the same tree: whatever the first run left in the Wine prefix must not upset a second one.
echo "== windows, second run in the same tree =="
ctest --preset windows
