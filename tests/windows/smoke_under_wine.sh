#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the portable Zensulino.exe and the one the installer puts in place (/S) under Wine and Xvfb
# with a German locale, from a fresh prefix, as a person would: types 40 and 35, presses Enter,
# saves through the context menu, checks the settings file in the Windows user's Documents folder,
# ends through "Beenden" and checks the exit code. Then uninstalls silently: once while the
# installed program runs, which must remove nothing, and once after it has ended.
# Usage: tests/windows/smoke_under_wine.sh build/windows
set -uo pipefail
out=$(cd "$1" && pwd)
work=$(mktemp -d)
xvfb_pid=
passed=0
failed=0
cleanup() {
    wineserver -k 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    [ -n "${KEEP_WINE_WORK:-}" ] && echo "kept $work" || rm -rf "$work"
}
trap cleanup EXIT
check() { # description, then a command that must succeed
    local what=$1
    shift
    if "$@"; then
        echo "ok      $what"
        passed=$((passed + 1))
    else
        echo "FAILED  $what"
        failed=$((failed + 1))
    fi
}

# Wine takes its locale from glibc: a German UTF-8 locale of our own, without touching the system.
mkdir -p "$work/locale"
localedef -i de_DE -f UTF-8 "$work/locale/de_DE.UTF-8" 2>/dev/null
export LOCPATH=$work/locale LANG=de_DE.UTF-8 LC_ALL=de_DE.UTF-8
# The prefix links the Windows Documents folder to ~/Documents only where it exists beforehand.
export HOME=$work/home WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$HOME/Documents"

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
export DISPLAY=:$(cat "$work/display")

wineboot -i >/dev/null 2>&1
wineserver -w
# Menus and boxes take Tahoma; without it Wine falls back to a serif font.
cp /usr/share/wine/fonts/tahoma*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null
documents=$(readlink -f "$WINEPREFIX/drive_c/users/$(id -un)/Documents")
settings=$documents/Zensulino.ini

newest_window_of() { xdotool search --onlyvisible --pid "$1" 2>/dev/null | tail -n 1; }

# A right click on the bare window standing at "$1", "$2" opens its context menu.
open_menu() {
    xdotool mousemove $(($1 + 10)) $(($2 + 200)) click 3
    sleep 0.8
}

# "Einstellungen speichern", the menu's first item, by a click: Wine's pop-up menus take no key
# events from xdotool.
save_by_menu() {
    open_menu "$1" "$2"
    xdotool mousemove $(($1 + 40)) $(($2 + 212)) click 1
    sleep 0.8
}

# Another program holds the settings file open without sharing while the user saves: the message
# names that, and the file keeps its content. The window stands at "$1", "$2".
save_while_held() {
    local x=$1 y=$2 before message=
    before=$(od -An -c "$settings")
    rm -f "$work/release"
    wine "$out/hold_file.exe" "$(winepath -w "$settings")" "$(winepath -w "$work")\\release" \
        >/dev/null 2>&1 &
    local holder=$!
    sleep 1
    xdotool mousemove $((x + 128)) $((y + 81)) click 1
    xdotool key ctrl+a
    xdotool type --delay 40 "30"
    save_by_menu "$x" "$y"
    local box
    box=$(timeout 10 xdotool search --sync --onlyvisible --name '^Einstellungen$' | head -n 1)
    if [ -n "$box" ]; then
        # A click on its text gives the box the keyboard (there is no window manager), and a
        # Windows message box copies its title and text with Ctrl+C.
        eval "$(xdotool getwindowgeometry --shell "$box")"
        xdotool mousemove $((X + 80)) $((Y + 20)) click 1
        xdotool key ctrl+c
        sleep 0.3
        message=$(xclip -o -selection clipboard 2>/dev/null | tr '\r\n' '  ')
        sleep 0.5 # Wine takes a moment after serving the clipboard before it takes keys again
        xdotool key Return
        for _ in $(seq 50); do
            [ -z "$(xdotool search --onlyvisible --name '^Einstellungen$' 2>/dev/null)" ] && break
            sleep 0.1
        done
    fi
    check "portable: a file held by another program is named as such ($message)" \
        grep -q "von einem anderen Programm verwendet" <<<"$message"
    check "portable: the held file keeps its content" test "$(od -An -c "$settings")" = "$before"
    touch "$work/release"
    wait "$holder"
}

# Wine has no printer: "Drucken..." in the grade-memory box (the menu's second item) says so
# instead of doing nothing. The window stands at "$1", "$2".
print_without_printer() {
    local x=$1 y=$2 box said=
    open_menu "$x" "$y"
    xdotool mousemove $((x + 40)) $((y + 232)) click 1
    box=$(timeout 10 xdotool search --sync --onlyvisible --name '^Noten-Speicher$' | head -n 1)
    if [ -n "$box" ]; then
        xdotool key --window "$box" alt+d
        said=$(timeout 10 xdotool search --sync --onlyvisible --name '^Drucken$' | head -n 1)
        [ -n "$said" ] && xdotool key --window "$said" Return
        # The box closes on its OK, the default button, once the message has gone.
        for _ in $(seq 50); do
            [ -z "$(xdotool search --onlyvisible --name '^Noten-Speicher$' 2>/dev/null)" ] && break
            [ -z "$(xdotool search --onlyvisible --name '^Drucken$' 2>/dev/null)" ] &&
                xdotool key --window "$box" Return
            sleep 0.3
        done
    fi
    check "portable: Drucken without a printer says so" test -n "$said"
}

# Drives one exe; "$2" names it in the report.
drive() {
    local exe=$1 name=$2
    rm -f "$settings"
    wine "$exe" >"$work/$name.log" 2>&1 &
    local wine_pid=$!
    local window
    window=$(timeout 60 xdotool search --sync --onlyvisible --name '^Zensulino$' | head -n 1)
    check "$name: the window opens" test -n "$window" || return
    eval "$(xdotool getwindowgeometry --shell "$window")"
    local x=$X y=$Y
    [ "$name" = portable ] && import -window root "$out/wine-window.png" 2>/dev/null

    xdotool mousemove $((x + 128)) $((y + 49)) click 1
    sleep 0.3
    xdotool key ctrl+a
    xdotool type --delay 40 "40"
    xdotool key Tab
    xdotool key ctrl+a
    xdotool type --delay 40 "35"
    xdotool key Return
    sleep 0.5

    save_by_menu "$x" "$y"
    local expected actual
    expected=$(printf '"40","35","87,5","13","GYM"\r\n' | od -An -c)
    actual=$(od -An -c "$settings" 2>/dev/null)
    check "$name: Enter calculated and the menu saved $(tr -d ' \n' <<<"$actual")" \
        test "$actual" = "$expected"
    [ "$name" = portable ] && save_while_held "$x" "$y"
    [ "$name" = portable ] && print_without_printer "$x" "$y"

    # "Beenden" is the menu's last item.
    open_menu "$x" "$y"
    local menu
    menu=$(xdotool search --onlyvisible --class "" 2>/dev/null | while read -r w; do
        eval "$(xdotool getwindowgeometry --shell "$w" 2>/dev/null)"
        [ "$X" -eq $((x + 10)) ] && [ "$Y" -ge $((y + 200)) ] && echo "$w"
    done | tail -n 1)
    if [ -n "$menu" ]; then
        eval "$(xdotool getwindowgeometry --shell "$menu")"
        xdotool mousemove $((X + 40)) $((Y + HEIGHT - 12)) click 1
    fi
    local status=124
    for _ in $(seq 100); do
        if ! kill -0 "$wine_pid" 2>/dev/null; then
            wait "$wine_pid"
            status=$?
            break
        fi
        sleep 0.1
    done
    check "$name: \"Beenden\" ends the program with exit code 0 (got $status)" test "$status" -eq 0
    kill "$wine_pid" 2>/dev/null
    wineserver -w
}

drive "$out/Zensulino.exe" portable

# The installer, silently, for this user alone; then the installed exe; then the uninstaller.
wine "$(ls "$out"/Zensulino-*-setup.exe)" /S >"$work/setup.log" 2>&1 || cat "$work/setup.log"
wineserver -w
installed=$WINEPREFIX/drive_c/users/$(id -un)/AppData/Local/Programs/Zensulino
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Zensulino'
has_uninstall_entry() { wine reg query "$uninstall_key" /v DisplayName >/dev/null 2>&1; }
no_uninstall_entry() { ! has_uninstall_entry; }
check "installer: Zensulino.exe in the user's programs folder" test -f "$installed/Zensulino.exe"
check "installer: Start-menu entry" test -n "$(find "$WINEPREFIX/drive_c/users" -name 'Zensulino.lnk' 2>/dev/null)"
# The icon images an exe carries, by content: installer and uninstaller show Zensulino's own.
icon_images() {
    wrestool -l --type=3 "$1" 2>/dev/null | sed -n 's/.*--name=\([0-9]*\).*/\1/p' | while read -r n; do
        wrestool -x --raw --type=3 --name="$n" "$1" | md5sum | cut -c1-32
    done | sort | tr '\n' ' '
}
program_icon=$(icon_images "$out/Zensulino.exe")
check "installer: Zensulino's icon" test "$(icon_images "$(ls "$out"/Zensulino-*-setup.exe)")" = "$program_icon"
check "uninstaller: Zensulino's icon" test "$(icon_images "$installed/Deinstallieren.exe")" = "$program_icon"
size=$(wine reg query "$uninstall_key" /v EstimatedSize 2>/dev/null |
    sed -n 's/.*REG_DWORD *0x\([0-9a-fA-F]*\).*/\1/p')
check "installer: the uninstall entry's EstimatedSize is $((16#${size:-0})) KiB" test "$((16#${size:-0}))" -gt 1000
# Uninstalling while the program runs removes nothing and says so by its exit code. _?= runs the
# uninstaller in place and waits for it; without it, it copies itself away and returns at once.
uninstall_while_running() {
    wine "$installed/Zensulino.exe" >/dev/null 2>&1 &
    local wine_pid=$!
    if [ -n "$(timeout 60 xdotool search --sync --onlyvisible --name '^Zensulino$' | head -n 1)" ]; then
        wine "$installed/Deinstallieren.exe" /S "_?=$(winepath -w "$installed")" >/dev/null 2>&1
        local status=$?
        check "uninstaller: ends with exit code 2 while Zensulino runs (got $status)" test "$status" -eq 2
        check "uninstaller: leaves the running program in place" test -f "$installed/Zensulino.exe"
        check "uninstaller: leaves its own uninstall entry" has_uninstall_entry
    fi
    kill "$wine_pid" 2>/dev/null
    wineserver -w
}
if [ -f "$installed/Zensulino.exe" ]; then
    uninstall_while_running
    drive "$installed/Zensulino.exe" installed
    wine "$installed/Deinstallieren.exe" /S >/dev/null 2>&1
    wineserver -w
    for _ in $(seq 50); do [ -e "$installed" ] || break; sleep 0.2; done
    check "uninstaller: removes the program folder" test ! -e "$installed"
    check "uninstaller: removes the Start-menu entry" test -z "$(find "$WINEPREFIX/drive_c/users" -name 'Zensulino.lnk' 2>/dev/null)"
    check "uninstaller: removes its uninstall entry" no_uninstall_entry
fi

# A key of the teacher's own, named with an umlaut, from a key file in a Documents folder whose
# path has umlauts: the settings file names the key, Enter grades under it, and the saved grade
# is the key's own.
shell_folders='HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\User Shell Folders'
mkdir -p "$WINEPREFIX/drive_c/Prüfungen Übung"
wine reg add "$shell_folders" /v Personal /t REG_EXPAND_SZ /d 'C:\Prüfungen Übung' /f >/dev/null 2>&1
wineserver -w
documents="$WINEPREFIX/drive_c/Prüfungen Übung"
settings=$documents/Zensulino.ini
printf '# Zensulino-Notenschl\xc3\xbcssel\n[Bayern \xc3\x9c]\nsehr gut;85;1\ngut;70;2\nbefriedigend;55;3\nungen\xc3\xbcgend;;6\n' \
    >"$documents/Zensulino-Notenschlüssel.txt"
printf '"40","30","0","0","Bayern \xdc"\r\n' >"$settings"
wine "$out/Zensulino.exe" >"$work/own-key.log" 2>&1 &
own_key_pid=$!
window=$(timeout 60 xdotool search --sync --onlyvisible --name '^Zensulino$' | head -n 1)
if [ -n "$window" ]; then
    eval "$(xdotool getwindowgeometry --shell "$window")"
    xdotool mousemove $((X + 128)) $((Y + 49)) click 1
    sleep 0.3
    xdotool key Return
    sleep 0.5
    save_by_menu "$X" "$Y"
fi
expected=$(printf '"40","30","75,0","gut","Bayern \xdc"\r\n' | od -An -c)
actual=$(od -An -c "$settings" 2>/dev/null)
check "own key: from a key file in \"Prüfungen Übung\", graded and saved $(tr -d ' \n' <<<"$actual")" \
    test "$actual" = "$expected"
# The key editor from the menu: "Bayern Ü" chosen in its list, renamed, saved back into the key
# file in the same folder.
if [ -n "$window" ]; then
    open_menu "$X" "$Y"
    xdotool key Down Down Down Return
    sleep 2
    xdotool key alt+l
    sleep 0.3
    xdotool key Down
    sleep 0.3
    xdotool key alt+a End
    xdotool type " 2"
    xdotool key Return
    sleep 1.5
fi
key_file=$documents/Zensulino-Notenschlüssel.txt
check "key editor: \"Bayern Ü\" renamed \"Bayern Ü 2\" in the key file in \"Prüfungen Übung\"" \
    bash -c 'grep -qx "\[Bayern Ü 2\]" "$1" && ! grep -qx "\[Bayern Ü\]" "$1" && grep -qx "ungenügend;;6" "$1"' _ "$key_file"
kill "$own_key_pid" 2>/dev/null
wineserver -k

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
