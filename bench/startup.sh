#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Start-up time (launch until the window is mapped) and peak memory (VmHWM) of Zensulino against
# the toolkit's floor for its window, under Xvfb, alternating runs. Usage: bench/startup.sh [runs]
# Build first: scripts/install-dependencies.sh bench && cmake --workflow --preset bench
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-15}
build=build/bench
lang=${LANG_FOR_BENCH:-de_DE.UTF-8}

work=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
export DISPLAY=:$(cat "$work/display") HOME=$work XDG_RUNTIME_DIR=$work LANG=$lang
mkdir -p "$HOME/Documents"
printf '"40","35","87,5","13","GYM"\r\n' >"$HOME/Documents/Zensulino.ini"
# A school's own keys, as a teacher keeps them: read at start-up too.
for key in "Bayern 5-11" "Tendenzen" "Fachschaft Mathe"; do
    printf '[%s]\n1+;99;0.7\n1;93;1\n1-;91;1.3\n2+;89;1.7\n2;83;2\n2-;81;2.3\n3+;76;2.7\n3;70;3\n' "$key"
    printf '3-;65;3.3\n4+;60;3.7\n4;55;4\n4-;50;4.3\n5+;42;4.7\n5;33;5\n5-;25;5.3\n6;;6\nschwach ab=5+\n'
done >"$HOME/Documents/Zensulino-Notenschlüssel.txt"

for i in $(seq "$runs"); do
    $build/bench/mapwatch Zensulino "$PWD/$build/app/Zensulino" >>"$work/program"
    $build/bench/mapwatch Zensulino-Floor "$PWD/$build/bench/startup_floor" >>"$work/floor"
done

median() { sort -n | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : (a[NR/2] + a[NR/2+1]) / 2}'; }
p_ms=$(cut -d' ' -f1 "$work/program" | median); f_ms=$(cut -d' ' -f1 "$work/floor" | median)
p_kb=$(cut -d' ' -f2 "$work/program" | median); f_kb=$(cut -d' ' -f2 "$work/floor" | median)
printf 'runs each: %s (LANG=%s, settings file and a key file of three keys present)\n' "$runs" "$lang"
printf 'start-up to mapped window, median: Zensulino %.1f ms, floor %.1f ms, ratio %.3f (target <= 1.10)\n' \
    "$p_ms" "$f_ms" "$(echo "$p_ms / $f_ms" | bc -l)"
printf 'peak memory VmHWM, median: Zensulino %d KiB, floor %d KiB, ratio %.3f (target <= 1.10)\n' \
    "$p_kb" "$f_kb" "$(echo "$p_kb / $f_kb" | bc -l)"
