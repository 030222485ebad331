#!/usr/bin/env bash
# The two Windows downloads as a user meets them, under Wine on a display of its own, in a fresh
# Wine prefix with a German user locale:
#   1. the installer, silently: program, Start-menu entry and uninstall entry (with its size) are
#      there, and the program file's icon has every size Windows asks for;
#   2. the installed program: its window opens, a typed row lands in the user's own
#      %LOCALAPPDATA%\Varedadav\Lotto.mdb, an evaluation of a draw shows its report; while it runs,
#      neither the uninstaller nor the installer changes anything, and both fail;
#   3. the portable copy, unpacked into a folder with umlauts: its rows go to the Lotto.mdb beside
#      it, its messages write paths with "\" only; started alone from the temporary folder (as
#      Explorer starts it from inside the zip archive) it says to unpack the archive first;
#   4. the uninstaller, silently: everything it installed is gone, the user's rows stay.
# A Wine exit code proves little (a failed installer may exit 0): the files are looked at.
#   tests/program/windows_install_test.sh SETUP.exe WINDOWS.zip
set -euo pipefail
setup="$(readlink -f "$1")"
zip="$(readlink -f "$2")"
here="$(cd "$(dirname "$0")/../.." && pwd)"
work="$(mktemp -d)"
display=":$((70 + RANDOM % 20))"
pids=()
cleanup() {
  WINEPREFIX="$work/prefix" /usr/lib/wine/wineserver -k 2>/dev/null || true
  [ "${#pids[@]}" -eq 0 ] || kill "${pids[@]}" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

export VAREDADAV_WINE_PREFIX="$work/prefix" DISPLAY="$display" LANG=de_DE.UTF-8 LC_ALL=de_DE.UTF-8
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  mkdir -p "$work/locale" && localedef -i de_DE -f UTF-8 "$work/locale/de_DE.UTF-8" 2>/dev/null || true
  export LOCPATH="$work/locale"
fi
wine() { "$here/scripts/windows/wine.sh" "$@"; }
wait_for_wine() { timeout 120 env WINEPREFIX="$work/prefix" /usr/lib/wine/wineserver -w; }

Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 & pids+=($!)
sleep 1
openbox >/dev/null 2>&1 & pids+=($!)
wine wineboot --init >/dev/null 2>&1
wait_for_wine
c="$work/prefix/drive_c"
user_data="$(ls -d "$c"/users/*/AppData/Local | grep -v /Public/ | head -1)"
own="$user_data/Varedadav/Lotto.mdb"
rows() { sqlite3 "$1" "select group_concat(BallNumberList, ' | ') from tblLotterySeries"; }

# Starts a program and waits for its window; echoes the window.
start() {
  # The program's own output goes nowhere, so that nothing holds this function's output open.
  (cd "$c" && exec "$here/scripts/windows/wine.sh" "$1") </dev/null >/dev/null 2>&1 &
  local window=""
  for _ in $(seq 1 60); do
    window="$(xdotool search --onlyvisible --name '^Varedadav 6 aus 49$' 2>/dev/null | head -1)"
    [ -n "$window" ] && break
    sleep 1
  done
  [ -n "$window" ] || fail "no window for $1"
  sleep 1
  echo "$window"
}
# Clicks the control at (x, y) in the window's client area, in pixels (twips / 15).
click() { xdotool mousemove --window "$1" "$2" "$3" click 1; sleep 0.3; }
type_row() {  # the focus starts in the first number box
  local number
  for number in "$@"; do xdotool type --delay 50 "$number"; xdotool key Tab; done
  xdotool key Return
  sleep 1
}
# As the close button does: taskkill without /F asks the window to close (WM_CLOSE).
close() { wine taskkill /im varedadav.exe >/dev/null 2>&1; wait_for_wine; }
# Starts a program that must end with a message box; echoes the box's text, as Ctrl+C in a
# Windows message box copies it, and closes the box with OK.
message_of() {
  start "$1" >/dev/null
  xdotool key ctrl+c
  sleep 0.5
  xclip -o -selection clipboard 2>/dev/null | tr -d '\r' || true
  xdotool key Return
  wait_for_wine
}
# Every file of the installed program and its Start-menu entries with size and time of change,
# and the uninstall entry.
installed_state() {
  find "$program" "$menu" -type f -printf '%p %s %T@\n' | sort
  wine reg query "$uninstall_key" 2>/dev/null | tr -d '\r' | sort
}

echo "== 1. silent install"
wine "$setup" /S
wait_for_wine
program="$c/Program Files/Varedadav"
for file in varedadav.exe Lotto-empty.mdb LICENSE.txt Deinstallieren.exe; do
  [ -f "$program/$file" ] || fail "not installed: $file"
done
[ ! -e "$program/Lotto.mdb" ] || fail "a Lotto.mdb beside the installed program"
menu="$c/ProgramData/Microsoft/Windows/Start Menu/Programs/Varedadav 6 aus 49"
[ -f "$menu/Varedadav 6 aus 49.lnk" ] || fail "no Start-menu entry"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Varedadav'
wine reg query "$uninstall_key" /v DisplayVersion 2>/dev/null | grep -q REG_SZ ||
  fail "no uninstall entry"
# Windows lists the size in KB; the program file alone is several MB.
size_kb="$(wine reg query "$uninstall_key" /v EstimatedSize 2>/dev/null | tr -d '\r' |
  sed -n 's/.*REG_DWORD[[:space:]]*0x\([0-9a-f]*\).*/\1/p')"
[ -n "$size_kb" ] && [ "$((16#$size_kb))" -ge "$(($(stat -c %s "$program/varedadav.exe") / 1024))" ] ||
  fail "uninstall entry without the program's size: ${size_kb:-none}"
wrestool -x -t 14 "$program/varedadav.exe" >"$work/icon.ico"
icon_sizes="$(icotool -l "$work/icon.ico" | sed -n 's/.*--width=\([0-9]*\).*/\1/p' | sort -n | xargs)"
[ "$icon_sizes" = "16 20 24 32 40 48 64 128 256" ] || fail "the program's icon sizes: $icon_sizes"

echo "== 2. the installed program: a typed row, an evaluation"
window="$(start "C:\\Program Files\\Varedadav\\varedadav.exe")"
[ -f "$own" ] || fail "no Lotto.mdb laid in the user's local application data"
type_row 3 11 17 24 36 49
[ "$(rows "$own")" = "3,11,17,24,36,49" ] || fail "typed row not in $own: $(rows "$own")"
click "$window" 60 81                          # "Gezogene Zahlen"
xdotool type --delay 50 "3,11,17,24,36,49"
click "$window" 138 81                         # "Zusatzzahl"
xdotool type --delay 50 "7"
click "$window" 200 84                         # "Auswertung"
sleep 1
click "$window" 200 200                        # the report
xdotool key ctrl+a ctrl+c
sleep 0.5
report="$(xclip -o -selection clipboard 2>/dev/null || true)"
grep -q "6 Richtige" <<<"$report" || fail "no report of six hits: $report"

echo "== 2a. uninstall and install while the program runs: refused, nothing changed"
before="$(installed_state)"
# Run in place (_?=, unquoted as the uninstaller wants it, so through a batch file), the uninstaller
# ends with its own exit code, not that of a copy of itself.
printf '"C:\\Program Files\\Varedadav\\Deinstallieren.exe" /S _?=C:\\Program Files\\Varedadav\r\n' \
  >"$c/uninstall-in-place.bat"
wine cmd /c 'C:\uninstall-in-place.bat' >/dev/null 2>&1 &&
  fail "the uninstaller succeeded while the program ran"
[ "$(installed_state)" = "$before" ] || fail "the uninstaller changed the running program's files"
wine "$setup" /S && fail "the installer succeeded while the program ran"
[ "$(installed_state)" = "$before" ] || fail "the installer changed the running program's files"
close "$window"

echo "== 3. the portable copy"
mkdir -p "$c/Zahlen für Jürgen"
(cd "$c/Zahlen für Jürgen" && cmake -E tar xf "$zip")
portable="$(ls -d "$c/Zahlen für Jürgen"/Varedadav-*)"
portable_exe="C:\\Zahlen für Jürgen\\$(basename "$portable")\\varedadav.exe"
[ -f "$portable/varedadav.exe" ] && [ -f "$portable/Lotto.mdb" ] || fail "portable copy incomplete"
window="$(start "$portable_exe")"
type_row 1 2 3 4 5 6
close "$window"
[ "$(rows "$portable/Lotto.mdb")" = "1,2,3,4,5,6" ] || fail "portable row: $(rows "$portable/Lotto.mdb")"
[ "$(rows "$own")" = "3,11,17,24,36,49" ] || fail "the portable copy wrote to the user's own file"

mv "$portable/Lotto.mdb" "$work/Lotto.mdb"      # a message that names the file beside the program
beside="$(message_of "$portable_exe")"
grep -qxF "Access-Datenbank C:\\Zahlen für Jürgen\\$(basename "$portable")\\Lotto.mdb nicht gefunden, Programm wird beendet." <<<"$beside" ||
  fail "the message does not name the file the Windows way: $beside"
mv "$work/Lotto.mdb" "$portable/Lotto.mdb"

temp="$(wine cmd /c echo %TEMP% 2>/dev/null | tr -d '\r')\\Temp1_Varedadav-windows.zip\\Varedadav"
mkdir -p "$(wine winepath -u "$temp" 2>/dev/null)"                   # as Explorer runs it from the zip
cp "$portable/varedadav.exe" "$(wine winepath -u "$temp" 2>/dev/null)/"
missing="$(message_of "$temp\\varedadav.exe")"
grep -qF "\\Temp\\Temp1_Varedadav-windows.zip\\Varedadav\\Lotto.mdb nicht gefunden, Programm wird beendet. Bitte das ZIP-Archiv zuerst entpacken" <<<"$missing" ||
  fail "no word of unpacking the archive first: $missing"
! grep -q "/" <<<"$missing" || fail "a path with \"/\": $missing"

echo "== 4. silent uninstall"
wine "C:\\Program Files\\Varedadav\\Deinstallieren.exe" /S
wait_for_wine
[ ! -e "$program" ] || fail "left behind: $(ls "$program")"
[ ! -e "$menu" ] || fail "Start-menu entry left behind"
! wine reg query "$uninstall_key" >/dev/null 2>&1 || fail "uninstall entry left behind"
[ "$(rows "$own")" = "3,11,17,24,36,49" ] || fail "the user's rows went with the program"
echo "Windows downloads: installed, used, portable and uninstalled as they should be"
