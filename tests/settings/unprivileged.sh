#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the settings tests once more as an unprivileged user where the suite runs as root (as in
# CI): root reads and writes every file and folder, so the permission cases and the in-place save
# route would otherwise never run. Exits 77 (skipped) where there is nothing to add or no way to
# drop the rights.
# Usage: tests/settings/unprivileged.sh path/to/settings_tests
set -euo pipefail
tests=$1
if [ "$(id -u)" -ne 0 ]; then
    echo "already unprivileged: the ordinary run covers the permission cases"
    exit 77
fi
if ! command -v setpriv >/dev/null; then
    echo "setpriv (util-linux) is missing: cannot drop root rights"
    exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
chmod 711 "$work"
# The test program itself, where the unprivileged user may run it whatever the build folder's
# rights, and a temporary folder of that user's own.
install -m 755 "$tests" "$work/settings_tests"
mkdir "$work/tmp"
chown 65534:65534 "$work/tmp"
cd "$work/tmp"
exec setpriv --reuid=65534 --regid=65534 --clear-groups \
    env HOME="$work/tmp" TMPDIR="$work/tmp" "$work/settings_tests" --gtest_brief=1
