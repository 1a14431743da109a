#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Every file made from the project's version names that version, in the form its reader wants.
# Usage: tests/packaging/versions.sh GENERATED-DIR VERSION ABOUT-VERSION QUAD-VERSION [project.nsi]
#   e.g. build/default/generated 1.04 1.4 1.4.0.0; the NSIS script CPack made, where there is one
set -euo pipefail
dir=$1 version=$2 about=$3 quad=$4 nsi=${5:-}
failed=0
expect() { # file, then the exact text it must hold
    if grep -qF -- "$2" "$1"; then
        echo "ok      $(basename "$1"): $2"
    else
        echo "FAILED  $(basename "$1") lacks: $2"
        failed=1
    fi
}
expect "$dir/zensulino/Version.h" "#define ZENSULINO_VERSION \"$version\""
expect "$dir/zensulino/Version.h" "#define ZENSULINO_ABOUT_VERSION \"$about\""
expect "$dir/Zensulino.rc" "VALUE \"FileVersion\", \"$version\\0\""
expect "$dir/Zensulino.rc" "FILEVERSION ${quad//./, }"
expect "$dir/Zensulino.manifest" "name=\"org.zensulino.Zensulino\" version=\"$quad\""
expect "$dir/org.zensulino.Zensulino.metainfo.xml" "<release version=\"$version\""
expect "$dir/Zensulino.1" ".TH ZENSULINO 1 \"Dezember 2026\" \"Zensulino $version\""
expect "$dir/changelog" "zensulino ($version) unstable"
expect "$dir/LIESMICH.txt" "Zensulino $version - Notenrechner"
if [ -n "$nsi" ]; then
    expect "$nsi" "VIProductVersion \"$quad\""
    expect "$nsi" "\"FileVersion\" \"$version\""
    expect "$nsi" "Name \"Zensulino $version\""
    expect "$nsi" "\"DisplayVersion\" \"$version\""
fi
# Nothing generated may keep a template field unfilled.
if grep -l '@[A-Z_]*@' "$dir"/*.* "$dir"/window/* 2>/dev/null; then
    echo "FAILED  unfilled fields above"
    failed=1
fi
exit $failed
