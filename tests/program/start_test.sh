#!/usr/bin/env bash
# Starts the real program in a virtual X display, as a user would from a folder of their own:
#   start_test.sh VAREDADAV MAKE_EMPTY_DB SCHEMA CLOSE_REQUEST
# Checks: without Lotto.mdb a message appears and OK ends the program with status 1; beside a
# Lotto.mdb the copied program shows its window and leaves the file as it was, and a window
# manager's close request ends it, right after the start, later, and in the middle of a batch
# (once the batch is stored whole); a file that is no
# database gives a message and status 1; installed for all users it lays the user's own database;
# a pipe as its journal gives a message and status 1. Exits 77 (skipped) without Xvfb, xdotool or sqlite3.
set -u
program=$1 make_db=$2 schema=$3 close_request=$4
for tool in Xvfb xdotool sqlite3; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

work=$(mktemp -d)
xvfb_pid=
cleanup() {
  # Wait for Xvfb to go: a server still shutting down removes the socket of the next one.
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

exec 3>"$work/display"
# -noreset: without it the server resets when the last client leaves and refuses the next one.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n1 "$work/display")"
for _ in $(seq 50); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done
export QT_QPA_PLATFORM=xcb
unset WAYLAND_DISPLAY

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# The id of the visible window titled like the program, waiting up to 10 s.
find_window() {
  for _ in $(seq 100); do
    id=$(xdotool search --onlyvisible --name '^Varedadav 6 aus 49$' 2>/dev/null | head -n1)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}

# Sends the window manager's close request and expects the program to end with status 0.
expect_end_on_close() {
  local label=$1 pid=$2 id=$3
  "$close_request" "$id" || fail "$label: no close request sent"
  for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  if kill -0 "$pid" 2>/dev/null; then fail "$label: still running after the close request"; kill "$pid"; fi
  wait "$pid"
  local status=$?
  [ "$status" -eq 0 ] || fail "$label: exit status $status after the close request"
}

window_size() { xdotool getwindowgeometry "$1" | sed -n 's/.*Geometry: //p'; }

# Presses Enter in the window and expects the program to end with status 1.
expect_message_and_end() {
  local label=$1 pid=$2 id
  id=$(find_window) || { fail "$label: no message box"; kill "$pid"; return; }
  [ "$(window_size "$id")" != "536x331" ] || fail "$label: the main window showed"
  xdotool windowfocus --sync "$id" key Return
  for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  if kill -0 "$pid" 2>/dev/null; then fail "$label: still running after OK"; kill "$pid"; fi
  wait "$pid"
  local status=$?
  [ "$status" -eq 1 ] || fail "$label: exit status $status, expected 1"
}

# 1. The program alone, without its database.
mkdir "$work/alone"
cp "$program" "$work/alone/varedadav"
env LC_ALL=de_DE.UTF-8 "$work/alone/varedadav" &
expect_message_and_end "missing Lotto.mdb" $!
[ -e "$work/alone/Lotto.mdb" ] && fail "the program created Lotto.mdb"

# 2. The program copied beside a database with 13 rows.
mkdir "$work/copied"
cp "$program" "$work/copied/varedadav"
"$make_db" "$schema" "$work/copied/Lotto.mdb"
for i in $(seq 13); do
  sqlite3 "$work/copied/Lotto.mdb" "insert into tblLotterySeries (BallNumberList) values ('$i,2,3,4,5,6')"
done
before=$(sha256sum <"$work/copied/Lotto.mdb")
env LC_ALL=de_DE.UTF-8 "$work/copied/varedadav" &
pid=$!
if id=$(find_window); then
  [ "$(window_size "$id")" = "536x331" ] || fail "main window is $(window_size "$id")"
  expect_end_on_close "right after the start" "$pid" "$id"
else
  fail "no main window beside a database"
  kill "$pid"; wait "$pid" 2>/dev/null
fi
[ "$(sha256sum <"$work/copied/Lotto.mdb")" = "$before" ] || fail "starting changed Lotto.mdb"
# A second later, idle; then in store mode (Tab 8 times from the first row box) 20000 rows, the
# request right behind the key that starts the batch.
env LC_ALL=de_DE.UTF-8 "$work/copied/varedadav" &
pid=$!
id=$(find_window) && sleep 1 && expect_end_on_close "a second after the start" "$pid" "$id"
env LC_ALL=de_DE.UTF-8 "$work/copied/varedadav" &
pid=$!
if id=$(find_window); then
  xdotool windowfocus --sync "$id"
  xdotool key --delay 50 Tab Tab Tab Tab Tab Tab Tab Tab space shift+Tab shift+Tab ctrl+a
  xdotool type --delay 50 20000
  xdotool key --delay 50 Tab
  sleep 0.5
  xdotool key space
  expect_end_on_close "in the middle of a batch" "$pid" "$id"
  rows=$(sqlite3 "$work/copied/Lotto.mdb" "select count(*) from tblLotterySeries")
  [ "$rows" = 20013 ] || fail "a batch closed in its middle left $rows rows, not 20013"
  [ "$(sqlite3 "$work/copied/Lotto.mdb" "pragma integrity_check")" = ok ] ||
    fail "a batch closed in its middle left a damaged file"
fi

# 3. A Lotto.mdb that is no database.
mkdir "$work/broken"
cp "$program" "$work/broken/varedadav"
echo "no database, only text in a file that happens to be called Lotto.mdb" >"$work/broken/Lotto.mdb"
before=$(sha256sum <"$work/broken/Lotto.mdb")
env LC_ALL=de_DE.UTF-8 "$work/broken/varedadav" &
expect_message_and_end "text file as Lotto.mdb" $!
[ "$(sha256sum <"$work/broken/Lotto.mdb")" = "$before" ] || fail "the broken file was changed"

# 4. Installed for the whole machine: each user's own database, laid on the first start in the
#    user's data folder, closed to everyone else.
mkdir -p "$work/usr/lib/varedadav" "$work/usr/share/varedadav"
cp "$program" "$work/usr/lib/varedadav/varedadav"
"$make_db" "$schema" "$work/usr/share/varedadav/Lotto-empty.mdb"
data=$work/home/.local/share
env LC_ALL=de_DE.UTF-8 XDG_DATA_HOME="$data" "$work/usr/lib/varedadav/varedadav" &
pid=$!
find_window >/dev/null || fail "no main window on the first start of an install for all"
kill "$pid"; wait "$pid" 2>/dev/null
[ "$(stat -c %a "$data/varedadav" 2>&1)" = 700 ] || fail "own folder: $(stat -c %a "$data/varedadav" 2>&1)"
[ "$(stat -c %a "$data/varedadav/Lotto.mdb" 2>&1)" = 600 ] || fail "own database not 0600"
[ -e "$work/usr/lib/varedadav/Lotto.mdb" ] && fail "a database was laid beside the program"

# 5. A pipe where SQLite keeps its journal: a message, never a hang.
mkfifo "$data/varedadav/Lotto.mdb-journal"
env LC_ALL=de_DE.UTF-8 XDG_DATA_HOME="$data" "$work/usr/lib/varedadav/varedadav" &
expect_message_and_end "pipe as the journal" $!

[ "$failures" -eq 0 ] && echo "all start checks passed"
[ "$failures" -eq 0 ]
