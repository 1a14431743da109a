#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds Zensulino for Windows on Debian 12: a static Qt for MinGW-w64 made once from Debian's own
# qt6-base source (with Debian's patches) and cached, then the portable exe, its zip and a per-user
# NSIS installer under build/windows/, and last a smoke test of both under Wine.
#   scripts/build-windows.sh            everything
#   scripts/build-windows.sh --qt-only  only the cached Qt
#   scripts/build-windows.sh --no-smoke without the Wine test (the smoke test alone:
#                                       tests/windows/smoke_under_wine.sh build/windows)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/install-dependencies.sh" windows

qt_version=$(dpkg-query -W -f='${Version}' qt6-base-dev)
qt_features=(
    -static -static-runtime -release -optimize-size
    -nomake examples -nomake tests
    -no-opengl -no-feature-vulkan -no-feature-tabletevent -no-dbus -no-zstd
    -no-feature-sql -no-feature-network -no-feature-testlib
    -no-feature-concurrent -no-feature-xml
    -qt-zlib -qt-libpng -no-libjpeg -qt-pcre -qt-harfbuzz -qt-doubleconversion -no-freetype
)
key=$(printf '%s\n' "$qt_version" "${qt_features[@]}" | sha256sum | cut -c1-12)
cache=${XDG_CACHE_HOME:-$HOME/.cache}/zensulino
qt_prefix=$cache/qt-$qt_version-$key
toolchain=$top/packaging/windows/mingw-w64-x86_64.cmake

build_qt() {
    local work
    work=$(mktemp -d "$cache/qt-build.XXXXXX")
    trap 'rm -rf "$work"' RETURN
    # The source comes through a private apt configuration with deb-src entries beside the
    # machine's own sources; the machine's apt setup stays as it is.
    local apt=$work/apt
    mkdir -p "$apt/sources.list.d" "$apt/lists/partial" "$apt/cache/archives/partial"
    for sources in /etc/apt/sources.list.d/*.sources; do
        sed 's/^Types:.*/Types: deb-src/' "$sources" >"$apt/sources.list.d/$(basename "$sources")"
    done
    if [ -f /etc/apt/sources.list ]; then
        sed -n 's/^deb /deb-src /p' /etc/apt/sources.list >"$apt/sources.list.d/main.list"
    fi
    local apt_private=(-o Dir::Etc::SourceList=/dev/null -o "Dir::Etc::SourceParts=$apt/sources.list.d"
        -o "Dir::State::Lists=$apt/lists" -o "Dir::Cache=$apt/cache" -o APT::Sandbox::User=root)
    apt-get "${apt_private[@]}" -q update
    # dpkg-source applies Debian's patches (security fixes among them) while unpacking.
    (cd "$work" && apt-get "${apt_private[@]}" -q source "qt6-base=$qt_version")
    local source
    source=$(find "$work" -maxdepth 1 -type d -name 'qt6-base-*' | head -n 1)
    mkdir -p "$work/build"
    (cd "$work/build" && "$source/configure" -prefix "$qt_prefix" -xplatform win32-g++ \
        -qt-host-path /usr "${qt_features[@]}" -- -G Ninja \
        "-DCMAKE_TOOLCHAIN_FILE=$toolchain" -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake)
    cmake --build "$work/build" --parallel
    cmake --install "$work/build"
    touch "$qt_prefix/.complete"
}

mkdir -p "$cache"
if [ ! -f "$qt_prefix/.complete" ]; then
    echo "Building the static Qt for Windows once (about a quarter of an hour) into $qt_prefix"
    start=$(date +%s)
    build_qt
    echo "Qt for Windows built in $(($(date +%s) - start)) s"
fi
[ "${1:-}" = --qt-only ] && exit 0

# The program, against the cached Qt.
export ZENSULINO_WINDOWS_QT=$qt_prefix
out=$top/build/windows
# --fresh: the cache must not keep the Qt of an earlier run.
cmake --preset windows --fresh -DZENSULINO_QT_TRANSLATIONS=/usr/share/qt6/translations >/dev/null
cmake --build --preset windows
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$out/CMakeCache.txt")
exe=$out/app/Zensulino.exe
cp "$exe" "$out/Zensulino.exe"
exe=$out/Zensulino.exe

# Portable zip: the exe, the licence, a short German README and the handbook.
zip_dir=$(mktemp -d)
cp "$exe" "$zip_dir/Zensulino.exe"
cp "$top/LICENSE" "$zip_dir/LICENSE.txt"
cp "$out/generated/LIESMICH.txt" "$zip_dir/LIESMICH.txt"
cp "$top/docs/Handbuch.md" "$zip_dir/Handbuch.md"
mkdir "$zip_dir/screenshots"
pictures=$(sed -n 's/.*](screenshots\/\([^)]*\)).*/\1/p' "$top/docs/Handbuch.md" | sort -u)
for picture in $pictures; do cp "$top/docs/screenshots/$picture" "$zip_dir/screenshots/"; done
rm -f "$out"/Zensulino-*-portable.zip
(cd "$zip_dir" && zip -q -9 -X -r "$out/Zensulino-$version-portable.zip" Zensulino.exe LICENSE.txt LIESMICH.txt Handbuch.md screenshots)
rm -rf "$zip_dir"

# Per-user installer.
(cd "$out" && cpack -G NSIS -B "$out/cpack" >/dev/null)
rm -f "$out"/Zensulino-*-setup.exe
cp "$out/cpack/Zensulino-$version-setup.exe" "$out/Zensulino-$version-setup.exe"
# Every artefact names the project's version: "1.04" as "1.4" for the About box, "1.4.0.0" for
# Windows.
minor=$((10#${version#*.}))
bash "$top/tests/packaging/versions.sh" "$out/generated" "$version" "${version%%.*}.$minor" \
    "${version%%.*}.$minor.0.0" "$(ls "$out"/cpack/_CPack_Packages/*/NSIS/project.nsi)" >/dev/null

# Both carry the handbook beside the exe.
zip -sf "$out/Zensulino-$version-portable.zip" | grep -qx '  Handbuch.md' &&
    zip -sf "$out/Zensulino-$version-portable.zip" | grep -qx '  screenshots/key-editor-100.png' &&
    grep -q 'Handbuch.md' "$out"/cpack/_CPack_Packages/*/NSIS/project.nsi ||
    { echo "the zip or the installer lacks Handbuch.md" >&2; exit 1; }

imports=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p' | sort -u | tr '\n' ' ')
printf 'Zensulino.exe %s bytes, imports: %s\n' "$(stat -c %s "$exe")" "$imports"
if grep -Eiq 'qt6|libgcc|libstdc|libwinpthread|zlib|libpng' <<<"$imports"; then
    echo "Zensulino.exe needs DLLs that Windows does not have" >&2
    exit 1
fi
printf 'portable zip %s bytes, installer %s bytes\n' \
    "$(stat -c %s "$out/Zensulino-$version-portable.zip")" "$(stat -c %s "$out/Zensulino-$version-setup.exe")"

# The smoke test's helper that holds the settings file open as another program would.
x86_64-w64-mingw32-g++-posix -municode -O2 -static -o "$out/hold_file.exe" "$top/tests/windows/hold_file.cpp"

[ "${1:-}" = --no-smoke ] && exit 0
exec bash "$top/tests/windows/smoke_under_wine.sh" "$out"
