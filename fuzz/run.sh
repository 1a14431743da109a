#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Fuzzes the settings-file reader and the key file's reader and writer with libFuzzer for a
# bounded time each (default 60 s), then merges anything new into their corpora.
# Usage: fuzz/run.sh [seconds] [build folder] [--no-merge]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
build=${2:-build/fuzz}
scripts/install-dependencies.sh fuzz
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DZENSULINO_FUZZ=ON -DZENSULINO_BUILD_TESTS=OFF -DZENSULINO_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --target settings_line_fuzzer key_file_fuzzer
for target in settings_line:corpus key_file:key-file-corpus; do
    fuzzer="$build/fuzz/${target%%:*}_fuzzer"
    corpus="fuzz/${target#*:}"
    found="$build/found-${target%%:*}"
    mkdir -p "$found"
    "$fuzzer" -max_total_time="$seconds" -max_len=4096 -timeout=10 -artifact_prefix="$build/" \
        "$found" "$corpus"
    if [ "${3:-}" != --no-merge ]; then
        "$fuzzer" -merge=1 "$corpus" "$found"
    fi
done
