#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, only those that are missing.
# The program that ships is 32-bit, so Wine needs the i386 architecture and wine32 beside wine64.
set -euo pipefail
packages=(cmake make g++ git python3 googletest libgtest-dev libgmock-dev libbenchmark-dev
          clang libclang-rt-14-dev clang-format
          g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix wine64 wine wine32:i386
          xvfb xdotool x11-utils imagemagick fp-utils zip)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
