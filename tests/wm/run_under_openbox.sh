#!/usr/bin/env bash
# Runs a test program in an X server of its own (Xvfb, 1024 x 600) with the
# openbox window manager, the way a user's desktop frames the windows.
# Exits 77 (skipped) when Xvfb or openbox is not installed.
set -uo pipefail
program=$1
shift
command -v Xvfb >/dev/null && command -v openbox >/dev/null || { echo "Xvfb or openbox missing: skipped"; exit 77; }

# The server takes the first free display and says which: two tests started
# together (ctest -j2) would otherwise both pick the same free number.
displayfile=$(mktemp)
Xvfb -displayfd 3 -screen 0 1024x600x24 -nolisten tcp 3>"$displayfile" >/dev/null 2>&1 &
server=$!
manager=
cleanup() {
  [ -n "$manager" ] && kill "$manager" 2>/dev/null
  kill "$server" 2>/dev/null
  wait 2>/dev/null
  rm -f "$displayfile"
}
trap cleanup EXIT
for _ in $(seq 100); do
  [ -s "$displayfile" ] && break
  kill -0 "$server" 2>/dev/null || break
  sleep 0.1
done
display=$(head -n 1 "$displayfile")
[ -n "$display" ] && kill -0 "$server" 2>/dev/null || { echo "Xvfb did not start"; exit 1; }

# openbox with its own default settings, not the user's
config=$(mktemp -d)
DISPLAY=":$display" XDG_CONFIG_HOME=$config openbox >/dev/null 2>&1 &
manager=$!
# The program waits for the window manager before its tests.
DISPLAY=":$display" QT_QPA_PLATFORM=xcb "$program" "$@"
status=$?
rm -rf "$config"
exit $status
