#!/usr/bin/env bash
# Builds the release zip into a scratch folder and checks that it holds exactly the release files.
# usage: check-package.sh BUILD_DIR CPACK
set -euo pipefail
build=$1
cpack=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

(cd "$build" && "$cpack" -G ZIP -B "$scratch" >"$scratch/cpack.log" 2>&1) || { cat "$scratch/cpack.log" >&2; exit 1; }
zip=$(ls "$scratch"/Tarvello-*-win32.zip)
actual=$(python3 -c 'import sys, zipfile; print("\n".join(sorted(n for n in zipfile.ZipFile(sys.argv[1]).namelist() if not n.endswith("/"))))' "$zip")
expected=$(printf '%s\n' LIESMICH.txt Tarvello.chm Tarvello.exe Testpartner/BearingSource.dll \
    Testpartner/ContestLogger.exe Testpartner/DXView.exe Testpartner/standin-ctl.exe | sort)
if [ "$actual" != "$expected" ]; then
    echo "release zip holds:" >&2
    echo "$actual" >&2
    echo "expected:" >&2
    echo "$expected" >&2
    exit 1
fi
# Each file must be the one the build made, not an empty or stale copy.
unpacked="$scratch/unpacked"
python3 -c 'import sys, zipfile; zipfile.ZipFile(sys.argv[1]).extractall(sys.argv[2])' "$zip" "$unpacked"
cmp "$unpacked/Tarvello.chm" "$build/bin/Tarvello.chm"
cmp "$unpacked/Testpartner/BearingSource.dll" "$build/bin/BearingSource.dll"
cmp "$unpacked/Tarvello.exe" "$build/bin/Tarvello.exe"
# The program and the in-process stand-in ship as 32-bit (PE machine i386): only a 32-bit process loads the
# partners' 32-bit in-process COM servers.
for f in Tarvello.exe Testpartner/BearingSource.dll Testpartner/DXView.exe Testpartner/ContestLogger.exe; do
    machine=$(python3 -c 'import struct, sys; d = open(sys.argv[1], "rb").read(4096); o = struct.unpack_from("<I", d, 0x3c)[0]; print(hex(struct.unpack_from("<H", d, o + 4)[0]))' "$unpacked/$f")
    [ "$machine" = 0x14c ] || { echo "$f is not a 32-bit program (machine $machine)" >&2; exit 1; }
done
# No symbols and no debug sections ship. mingw writes long section names (.eh_frame, .debug_info) as "/N", an
# offset into the string table behind the symbols.
for f in Tarvello.exe Testpartner/BearingSource.dll Testpartner/DXView.exe Testpartner/ContestLogger.exe \
    Testpartner/standin-ctl.exe; do
    python3 - "$unpacked/$f" <<'PY' || { echo "$f carries symbols or debug sections" >&2; exit 1; }
import struct, sys
data = open(sys.argv[1], "rb").read()
pe = struct.unpack_from("<I", data, 0x3c)[0]
sections, = struct.unpack_from("<H", data, pe + 6)
symbol_table, symbols = struct.unpack_from("<II", data, pe + 12)
optional_size, = struct.unpack_from("<H", data, pe + 20)
table = pe + 24 + optional_size
strings = symbol_table + 18 * symbols
def name(raw):
    raw = raw.rstrip(b"\0").decode("latin-1")
    if raw.startswith("/") and symbol_table:
        start = strings + int(raw[1:])
        raw = data[start:data.index(b"\0", start)].decode("latin-1")
    return raw
names = [name(data[table + 40 * i:table + 40 * i + 8]) for i in range(sections)]
sys.exit(1 if symbols or any(n.startswith((".debug", "/")) for n in names) else 0)
PY
done
head -c 3 "$unpacked/LIESMICH.txt" | cmp - <(printf '\xef\xbb\xbf')
echo "release zip ok: $(basename "$zip")"
