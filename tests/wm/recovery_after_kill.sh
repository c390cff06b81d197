#!/usr/bin/env bash
# A real program, killed (SIGKILL) two seconds after its last change, offers
# all of it back at the next start: typed into a cell with the keyboard,
# killed, started again, the question answered with Return, saved with
# Ctrl+S. Runs under run_under_openbox.sh; exits 77 without xdotool.
set -uo pipefail
program=$1
command -v xdotool >/dev/null || { echo "xdotool missing: skipped"; exit 77; }

work=$(mktemp -d)
pid=
cleanup() {
  [ -n "$pid" ] && kill -9 "$pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAILED: $*"; exit 1; }
# Waits up to ten seconds for a condition: a busy machine is slow, not wrong.
within10s() {
  for _ in $(seq 100); do "$@" && return 0; sleep 0.1; done
  "$@"
}
focused() { [ "$(xdotool getactivewindow getwindowpid 2>/dev/null)" = "$pid" ]; }
recoveryCopy() { ls "$work/state/sorabel/recovery/"*.csv >/dev/null 2>&1; }
savedKept() { grep -q '"kept"' "$work/book.csv"; }
closed() { ! kill -0 "$pid" 2>/dev/null; }

# A portable copy keeps its profile beside it; the user's folders are the test's.
cp "$program" "$work/sorabel"
printf '[File]\r\nStartFile=OpenFile\r\nFileName=%s\r\n' "$work/book.csv" >"$work/sorabel.ini"
printf '"2001/01/01","a","1","0","1"\r\n' >"$work/book.csv"
export HOME=$work XDG_STATE_HOME=$work/state XDG_DATA_HOME=$work/data XDG_CONFIG_HOME=$work/config

start() {
  "$work/sorabel" >/dev/null 2>&1 &
  pid=$!
  for _ in $(seq 100); do
    window=$(xdotool search --onlyvisible --class Sorabel 2>/dev/null | tail -1)
    [ -n "$window" ] && break
    sleep 0.1
  done
  [ -n "$window" ] || fail "no window"
  within10s focused || fail "the program never got the focus"
  sleep 1  # its last window shown settles
}

for _ in $(seq 50); do xdotool getactivewindow >/dev/null 2>&1 && break; sleep 0.1; done

start
xdotool key --delay 100 Right F2 ctrl+a
xdotool type --delay 50 kept
xdotool key Return
sleep 2
within10s recoveryCopy || fail "no recovery copy of the change"
kill -9 "$pid"
wait "$pid" 2>/dev/null
pid=
recoveryCopy || fail "no recovery copy after the kill"
grep -q kept "$work/book.csv" && fail "the book was saved without Save"

start
xdotool key Return  # 前回、保存されずに終了したデータがあります。復元しますか？ -> Yes
sleep 1
xdotool key ctrl+s
within10s savedKept || fail "the typed text did not come back: $(cat "$work/book.csv")"
xdotool key ctrl+q
within10s closed || fail "the program did not close"
pid=
recoveryCopy && fail "a recovery copy stayed after saving and closing"
echo "recovered after SIGKILL"
