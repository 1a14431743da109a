#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Compiles the Windows resource with the MinGW resource compiler (which preprocesses with the
# cross compiler), turns the result back into text and checks the version strings, the icon and
# the manifest.
# Usage: tests/packaging/windows_resource.sh build/…/generated/Zensulino.rc VERSION QUAD-VERSION
set -euo pipefail
rc=$1 version=$2 quad=$3
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
i686-w64-mingw32-windres -i "$rc" -O res -o "$out/Zensulino.res"
i686-w64-mingw32-windres -i "$out/Zensulino.res" -O rc -o "$out/decompiled.rc"
i686-w64-mingw32-windres -i "$rc" -O coff -o "$out/Zensulino.o" # what the build links

check() { grep -qF -- "$1" "$out/decompiled.rc" || { echo "missing: $1"; exit 1; }; }
check 'LANGUAGE 7, 1'
check 'BLOCK "040704B0"'
check "FILEVERSION ${quad//./, }"
check "PRODUCTVERSION ${quad//./, }"
check "VALUE \"FileVersion\", \"$version\""
check "VALUE \"ProductVersion\", \"$version\""
check 'VALUE "ProductName", "Zensulino"'
check 'VALUE "InternalName", "Zensulino"'
check 'VALUE "OriginalFilename", "Zensulino.exe"'
check 'VALUE "Translation", 0x407, 1200' # 1200 = 0x04B0, Unicode
check 'RT_GROUP_ICON'
check '1 24 /* RT_MANIFEST */'
[ "$(grep -c '^[0-9]* 3 /\* RT_ICON' "$out/decompiled.rc")" -eq 4 ] || { echo "the icon lacks sizes"; exit 1; }
grep -aq 'level="asInvoker"' "$out/Zensulino.res" || { echo "no manifest with asInvoker"; exit 1; }
grep -aq 'PerMonitorV2' "$out/Zensulino.res" || { echo "the manifest sets no per-monitor DPI"; exit 1; }
grep -aqF "version=\"$quad\"" "$out/Zensulino.res" || { echo "the manifest lacks version $quad"; exit 1; }
echo "version resource: German 040704B0, $version, Zensulino.exe, with a four-size icon and a manifest"
