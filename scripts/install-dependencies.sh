#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian 12 packages that Zensulino needs, by profile:
#   (none)   build and run the program
#   test     also everything the test suite needs
#   bench    also the benchmarks
#   fuzz     also clang for the libFuzzer build
#   windows  also the MinGW-w64 cross build, NSIS and Wine
# Several profiles may be named at once. Asks apt only for what is missing, and asks for root
# rights (through sudo) only then.
set -euo pipefail

run=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-qpa-plugins qt6-translations-l10n libgl-dev
    libvulkan-dev libxkbcommon-dev fonts-dejavu-core fonts-liberation2)
test=(libgtest-dev clang libclang-rt-14-dev xvfb xdotool desktop-file-utils appstream dpkg-dev file lintian poppler-utils
    gcc-mingw-w64-i686 binutils-mingw-w64-i686 at-spi2-core python3 python3-pyatspi dbus)
bench=(libbenchmark-dev libx11-dev xvfb bc)
fuzz=(clang libclang-rt-14-dev)
windows=(g++-mingw-w64-x86-64-posix nsis wine wine64 dpkg-dev xz-utils zip locales fonts-wine xvfb imagemagick
    xdotool xclip icoutils file)

packages=("${run[@]}")
for profile in "$@"; do
    case "$profile" in
    test) packages+=("${test[@]}") ;;
    bench) packages+=("${bench[@]}") ;;
    fuzz) packages+=("${fuzz[@]}") ;;
    windows) packages+=("${windows[@]}") ;;
    *)
        echo "Unknown profile '$profile' (known: test, bench, fuzz, windows)" >&2
        exit 2
        ;;
    esac
done

missing=()
for package in $(printf '%s\n' "${packages[@]}" | sort -u); do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

as_root=()
if [ "$(id -u)" -ne 0 ]; then
    if ! command -v sudo >/dev/null 2>&1 || ! sudo -v; then
        cat >&2 <<MESSAGE
These Debian packages are missing: ${missing[*]}
This script needs root rights to install them and cannot get them through sudo here.
Install them as root, then run the command again:
  su -c 'apt-get update && apt-get install -y --no-install-recommends ${missing[*]}'
MESSAGE
        exit 1
    fi
    as_root=(sudo)
fi
echo "Installing: ${missing[*]}"
"${as_root[@]}" apt-get update -q
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y -q --no-install-recommends "${missing[@]}"
