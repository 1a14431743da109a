#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Fuzzes the settings-file reader with libFuzzer for a bounded time (default 60 s), then merges
# anything new into fuzz/corpus. Usage: fuzz/run.sh [seconds]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
scripts/install-dependencies.sh fuzz
CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DZENSULINO_FUZZ=ON -DZENSULINO_BUILD_TESTS=OFF -DZENSULINO_BUILD_BENCH=OFF >/dev/null
cmake --build build/fuzz --target settings_line_fuzzer
mkdir -p build/fuzz/found
build/fuzz/fuzz/settings_line_fuzzer -max_total_time="$seconds" -max_len=512 \
    -artifact_prefix=build/fuzz/ build/fuzz/found fuzz/corpus
build/fuzz/fuzz/settings_line_fuzzer -merge=1 fuzz/corpus build/fuzz/found
