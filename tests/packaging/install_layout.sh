#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# `cmake --install` into an empty prefix must lay down exactly these files.
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
actual=$(cd "$prefix" && find . -type f | sort)
expected=$(sort <<'LIST'
./bin/Zensulino
./libexec/zensulino/zensulino-print.so
./share/applications/org.zensulino.Zensulino.desktop
./share/icons/hicolor/32x32/apps/org.zensulino.Zensulino.png
./share/icons/hicolor/scalable/apps/org.zensulino.Zensulino.svg
./share/metainfo/org.zensulino.Zensulino.metainfo.xml
./share/doc/zensulino/copyright
./share/doc/zensulino/changelog.gz
./share/doc/zensulino/Handbuch.md
./share/doc/zensulino/screenshots/key-editor-100.png
./share/doc/zensulino/screenshots/key-editor-in-use-100.png
./share/doc/zensulino/screenshots/memory-tasks-100.png
./share/doc/zensulino/screenshots/window-errors-100.png
./share/doc/zensulino/screenshots/window-gym-100.png
./share/doc/zensulino/screenshots/window-quotient-100.png
./share/doc/zensulino/screenshots/window-sums-100.png
./share/doc/zensulino/screenshots/window-tooltip-100.png
./share/man/man1/Zensulino.1.gz
LIST
)
if [ "$actual" != "$expected" ]; then
    echo "installed files differ:"
    diff <(echo "$expected") <(echo "$actual") || true
    exit 1
fi
file "$prefix/share/icons/hicolor/32x32/apps/org.zensulino.Zensulino.png" | grep -q '32 x 32, 4-bit colormap' ||
    { echo "the 32 x 32 icon is not a 16-colour image"; exit 1; }
echo "installed exactly the $(echo "$expected" | wc -l) expected files"
