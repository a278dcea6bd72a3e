#!/usr/bin/env bash
# Static checks of the portable core: cppcheck (warnings, style, performance) and clang-tidy's default checks,
# against the host build's compile commands. Prints what they find and exits non-zero when they find anything.
# usage: scripts/lint-core.sh   (builds nothing; configure the host preset first)
set -euo pipefail
cd "$(dirname "$0")/.."
[ -f build/host/compile_commands.json ] || { echo "lint-core: configure the host preset first" >&2; exit 1; }
core=$(git ls-files 'src/base/*.cpp' 'src/common/*.cpp' 'src/control_window/*.cpp' 'src/dde_link/*.cpp' 'src/automation/*.cpp' \
    'src/settings/*.cpp' 'src/partners/*.cpp' | grep -v /platform/)
core="$core $(git ls-files 'src/platform/*.cpp' | grep -v -e /sim/ -e /win32/ || true)"
findings=$(cppcheck --enable=warning,style,performance --std=c++20 --quiet --inline-suppr -I src $core 2>&1 || true)
# GCC's own warning switches in the compile commands are unknown to clang.
findings+=$(clang-tidy -p build/host --quiet --extra-arg=-Wno-unknown-warning-option $core 2>&1 |
    grep -E "(warning|error):" || true)
if [ -n "$findings" ]; then
    echo "$findings"
    exit 1
fi
echo "lint-core: cppcheck and clang-tidy are quiet on the core"
