#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package with CPack, checks its dependencies and contents, and has lintian
# find no error and no warning in it.
set -euo pipefail
build=$1 version=$2
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$out" >/dev/null
deb=$(ls "$out"/zensulino_"$version"_*.deb)
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || { echo "the package's version is not $version"; exit 1; }
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 libqt6gui6 libqt6core6 libqt6printsupport6 qt6-qpa-plugins qt6-translations-l10n; do
    grep -q "$needed" <<<"$depends" || { echo "Depends lacks $needed: $depends"; exit 1; }
done
contents=$(dpkg-deb -c "$deb")
for path in ./usr/bin/Zensulino ./usr/libexec/zensulino/zensulino-print.so ./usr/share/applications/org.zensulino.Zensulino.desktop \
    ./usr/share/metainfo/org.zensulino.Zensulino.metainfo.xml \
    ./usr/share/icons/hicolor/32x32/apps/org.zensulino.Zensulino.png \
    ./usr/share/icons/hicolor/scalable/apps/org.zensulino.Zensulino.svg \
    ./usr/share/man/man1/Zensulino.1.gz ./usr/share/doc/zensulino/copyright \
    ./usr/share/doc/zensulino/Handbuch.md ./usr/share/doc/zensulino/screenshots/key-editor-100.png; do
    grep -qF " $path" <<<"$contents" || { echo "package lacks $path"; exit 1; }
done
lintian --fail-on error,warning --tag-display-limit 0 "$deb"
echo "$(basename "$deb"): Depends: $depends; lintian: no error, no warning"
