#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Drives the real program under Xvfb as a person would: types points, clicks "Berechnen",
# right-clicks the window, saves the settings through the menu and checks the file's bytes, grades
# a dictation by its errors under a key of the key file,
# opens the grade memory through F10, its help through F1, and ends the program through the menu.
set -euo pipefail

program=$1
work=$(mktemp -d)
xvfb_pid=
app_pid=
cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_RUNTIME_DIR=$work/run
mkdir -p "$HOME/Documents" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
printf '[Diktat]\r\nskala=Fehler\r\n1;0;1\r\n2;2;2\r\n3;6;3\r\n4;;4\r\n' \
    >"$HOME/Documents/Zensulino-Notenschlüssel.txt"
export LANG=de_DE.UTF-8 LC_ALL=de_DE.UTF-8
unset QT_QPA_PLATFORM

Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
export DISPLAY=:$(cat "$work/display")

"$program" >"$work/app.log" 2>&1 &
app_pid=$!
window=$(timeout 15 xdotool search --sync --onlyvisible --name '^Zensulino$' | head -n 1) ||
    fail "the window did not appear"
eval "$(xdotool getwindowgeometry --shell "$window")" # sets X and Y of the window

# Clicks at a point given in the window's logical pixels (layout twips / 15).
click() {
    xdotool mousemove $((X + $1)) $((Y + $2))
    sleep 0.1
    xdotool click "$3"
    sleep 0.2
}
type_into() {
    click "$1" "$2" 1
    xdotool key --clearmodifiers ctrl+a
    xdotool type --delay 20 "$3"
}
visible_windows() { xdotool search --onlyvisible --pid "$app_pid" 2>/dev/null | wc -l; }

type_into 128 49 "50"    # txtRohpunkte
type_into 128 81 "12,5"  # txtPunkte
click 236 164 1          # Berechnen

shown_windows=$(visible_windows)
click 30 75 3 # right click on the label "erreichte Rohpunktzahl"
[ "$(visible_windows)" -eq "$shown_windows" ] || fail "a right click on a label opened a menu"

click 10 200 3 # right click on the bare window surface
[ "$(visible_windows)" -gt "$shown_windows" ] || fail "a right click on the window opened no menu"
xdotool key Down Return # first item: "Einstellungen speichern"
sleep 0.3

settings=$HOME/Documents/Zensulino.ini
[ -f "$settings" ] || fail "no settings file was written"
expected=$(printf '"50","12,5","25,0","01","GYM"\r\n' | od -An -c)
actual=$(od -An -c "$settings")
[ "$actual" = "$expected" ] || fail "settings file holds:$actual"

# A dictation graded by its errors: the maximum is not asked for, no percentage is shown.
type_into 268 82 "Diktat" # cboSchlüssel
type_into 128 81 "2,5"
xdotool key Return
sleep 0.3
click 10 200 3
xdotool key Down Return
sleep 0.3
expected=$(printf '"50","2,5","","3","Diktat"\r\n' | od -An -c)
actual=$(od -An -c "$settings")
[ "$actual" = "$expected" ] || fail "settings file under the error key holds:$actual"

# From the keyboard: F10 opens the menu at the focused field, Down and Enter show the grade memory.
click 128 81 1
shown_windows=$(visible_windows)
xdotool key F10
sleep 0.3
xdotool key Down Return
sleep 0.5
[ "$(visible_windows)" -gt "$shown_windows" ] || fail "F10, Down, Enter showed no grade memory"
# F1 in the grade memory shows the handbook beside it; Escape closes it.
xdotool key F1 # the title's dash is matched as any text: the test runs where no German locale is
timeout 5 xdotool search --sync --onlyvisible --name '^Zensulino .* Hilfe$' >/dev/null ||
    fail "F1 in the grade memory showed no help"
xdotool key Escape
sleep 0.3
! xdotool search --onlyvisible --name '^Zensulino .* Hilfe$' >/dev/null || fail "Escape left the help open"
xdotool windowfocus --sync "$(xdotool search --onlyvisible --name '^Noten-Speicher$' | head -n 1)"
xdotool key Return # OK
sleep 0.3

click 10 200 3
xdotool key Up Return # last item: "Beenden"
for _ in $(seq 50); do kill -0 "$app_pid" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$app_pid" 2>/dev/null; then
    fail "\"Beenden\" did not end the program"
fi
wait "$app_pid" || fail "the program exited with an error: $(cat "$work/app.log")"
app_pid=
echo "smoke test passed: typed, calculated, graded errors, saved through the context menu, help, ended"
