#!/usr/bin/env bash
# Hears the Windows build as a Windows screen reader (Narrator, NVDA) would, through UI Automation:
#   scripts/windows/screen-reader.sh [PROGRAM.exe]     (default: build-windows/varedadav.exe,
#                                                       which scripts/windows.sh builds)
# Types a row, evaluates a draw, simulates one, presses F1, F2 and F3, stores a batch, lists and
# deletes the rows, and prints for each step
#   focus: …      every focus change, as the project's UI Automation client receives it
#   announced: …  every notification the program raises (UiaRaiseNotificationEvent)
#   the tree      of the window, and of each message box, as that client reads it.
# Debian 12's Wine (8.0) serves no UI Automation client; Debian 13's Wine (10.0) does. So this runs
# Wine in a Debian 13 root, made once with debootstrap into the Windows cache (a few minutes).
# Wine 10 delivers focus events to a client but not notifications: those are read from Wine's trace
# of the program's calls, which cuts a text after about 250 characters (marked "[the trace cuts
# the rest]"; the program raised it whole). Wine 10 gives no values (E_NOTIMPL), which the tree
# says rather than show any, and asking it for a text pattern hangs the client, so the report's
# text is not read. Needs root (debootstrap, chroot, mounts).
set -euo pipefail
cd "$(dirname "$0")/../.."
program="$(readlink -f "${1:-build-windows/varedadav.exe}")"
[ -f "$program" ] || { echo "no $program: scripts/windows.sh builds it" >&2; exit 2; }
scripts/setup.sh windows
cache="${VAREDADAV_WINDOWS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/varedadav-windows}"
root="$cache/debian13-wine10"
title="Varedadav 6 aus 49"

if [ ! -x "$root/usr/bin/wine" ]; then
  echo "== A Debian 13 root with Wine 10 (once)"
  rm -rf "$root.new"
  debootstrap --variant=minbase trixie "$root.new" http://deb.debian.org/debian >/dev/null
  echo "deb http://deb.debian.org/debian trixie main" >"$root.new/etc/apt/sources.list"
  cp /etc/resolv.conf "$root.new/etc/resolv.conf"
  chroot "$root.new" /bin/sh -c 'apt-get update -qq && DEBIAN_FRONTEND=noninteractive \
    apt-get install -y -qq --no-install-recommends wine wine64 locales fonts-liberation >/dev/null &&
    localedef -i de_DE -f UTF-8 de_DE.UTF-8'
  mv "$root.new" "$root"
fi

work="$root/opt/varedadav"
rm -rf "$work" && mkdir -p "$work"
cp "$program" "$work/varedadav.exe"
sqlite3 "$work/Lotto.mdb" <tools/schema.sql
x86_64-w64-mingw32-g++-posix -O1 -std=c++20 scripts/windows/uia-client.cpp \
  -o "$work/uia-client.exe" -lole32 -loleaut32 -static

display=":$((70 + RANDOM % 20))"
pids=()
cleanup() {
  kill "${pids[@]}" 2>/dev/null || true
  in_root wineserver -k 2>/dev/null || true
  for mount in "$root/tmp/.X11-unix" "$root/dev" "$root/proc"; do
    mountpoint -q "$mount" && umount -l "$mount"
  done
}
trap cleanup EXIT
mount -t proc proc "$root/proc"
mount --rbind /dev "$root/dev"
mkdir -p "$root/tmp/.X11-unix" && mount --bind /tmp/.X11-unix "$root/tmp/.X11-unix"
in_root() {
  chroot "$root" /usr/bin/env -i HOME=/root PATH=/usr/bin:/bin LANG=de_DE.UTF-8 \
    DISPLAY="$display" WINEPREFIX=/root/wine WINEDEBUG="${WINEDEBUG:--all}" \
    WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d" "$@"
}

Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 & pids+=($!)
sleep 1
DISPLAY="$display" openbox >/dev/null 2>&1 & pids+=($!)
in_root wineboot --init >/dev/null 2>&1
in_root wineserver -w

# The program's calls into UI Automation, which Wine 10 traces but does not pass on.
trace="$work/trace.log"
WINEDEBUG=-all,fixme+uiautomation in_root /bin/sh -c 'cd /opt/varedadav && exec wine varedadav.exe' \
  </dev/null >"$trace" 2>&1 & pids+=($!)
window=""
for _ in $(seq 1 60); do
  window="$(DISPLAY="$display" xdotool search --onlyvisible --name "^$title\$" 2>/dev/null | head -1 || true)"
  [ -n "$window" ] && break
  sleep 1
done
[ -n "$window" ] || { echo "the program's window did not appear" >&2; exit 1; }
sleep 2
focus_log="$work/focus.log"
in_root wine /opt/varedadav/uia-client.exe watch 600 >"$focus_log" 2>/dev/null & pids+=($!)
sleep 3

tree() { in_root wine /opt/varedadav/uia-client.exe tree "$@" 2>/dev/null | tr -d '\r'; }
# Wine writes a text as L"…", a character beyond ASCII as \NNNN, a control character as \xNN.
announcements() {
  { grep -a 'UiaRaiseNotificationEvent' "$trace" || true; } |
    perl -CS -ne 'next unless /L"((?:[^"\\]|\\.)*)"(\.\.\.)?/;
      my ($text, $cut) = ($1, $2);
      $text =~ s{\\(?:([0-9a-fA-F]{4})|x([0-9a-fA-F]{2})|(.))}{$3 // chr(hex($1 // $2))}ge;
      print "announced: $text", $cut ? " [the trace cuts the rest]" : "", "\n"'
}
read_focus=0 read_announced=0
# Presses the keys, waits, and prints what a screen reader was given since the last step.
step() {
  local what="$1" key
  shift
  echo
  echo "== $what"
  for key in "$@"; do
    case "$key" in
      type:*) DISPLAY="$display" xdotool type --delay 60 "${key#type:}" ;;
      *) DISPLAY="$display" xdotool key "$key" ;;
    esac
    sleep 0.3
  done
  sleep 2
  tr -d '\r' <"$focus_log" | tail -n +$((read_focus + 1))
  read_focus="$(wc -l <"$focus_log")"
  announcements | tail -n +$((read_announced + 1))
  read_announced="$(announcements | wc -l)"
}

echo "== The window as a UI Automation client reads it"
DISPLAY="$display" xdotool windowactivate --sync "$window" 2>/dev/null || true
tree "$title"
step "A row: 3 11 17 24 36 49, Enter" type:3 Tab type:11 Tab type:17 Tab type:24 Tab type:36 \
  Tab type:49 Return
step "To \"Gezogene Zahlen\": 3,11,17,24,36,49; \"Zusatzzahl\" 7; \"Auswertung\"" \
  Tab Tab Tab Tab Tab Tab Tab Tab Tab type:3,11,17,24,36,49 Tab type:7 Tab space
step "\"Ziehung\": one simulated draw" shift+Tab shift+Tab shift+Tab shift+Tab space
step "F1" F1
tree
step "Enter: the box closes" Return
step "F2" F2
tree
step "Enter: the box closes" Return
step "F3: \"Verlauf\" opens beside the window" F3
tree
step "Tab, Tab: the lines below and above the picture; Escape: \"Verlauf\" closes" Tab Tab Escape
step "\"In Datenbank speichern\", 3 draws, \"Ziehung\": a batch of rows" Tab space shift+Tab \
  shift+Tab ctrl+a type:3 Tab space
step "\"Alle Kästchen Anzeigen\"" Tab Tab Tab Tab Tab space
step "\"Löschen\"" Tab space
tree
step "Enter: OK" Return
echo
echo "== The window at the end"
tree "$title"
