#!/usr/bin/env bash
# Runs a test program in an X server of its own (Xvfb, 1024 x 600) with the
# openbox window manager, the way a user's desktop frames the windows.
# Exits 77 (skipped) when Xvfb or openbox is not installed.
set -uo pipefail
program=$1
shift
command -v Xvfb >/dev/null && command -v openbox >/dev/null || { echo "Xvfb or openbox missing: skipped"; exit 77; }

display=
for n in $(seq 150 199); do
  [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] || { display=$n; break; }
done
[ -n "$display" ] || { echo "no free display"; exit 1; }

Xvfb ":$display" -screen 0 1024x600x24 -nolisten tcp >/dev/null 2>&1 &
server=$!
manager=
cleanup() {
  [ -n "$manager" ] && kill "$manager" 2>/dev/null
  kill "$server" 2>/dev/null
  wait 2>/dev/null
}
trap cleanup EXIT
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done
kill -0 "$server" 2>/dev/null || { echo "Xvfb did not start"; exit 1; }

# openbox with its own default settings, not the user's
config=$(mktemp -d)
DISPLAY=":$display" XDG_CONFIG_HOME=$config openbox >/dev/null 2>&1 &
manager=$!
# The program waits for the window manager before its tests.
DISPLAY=":$display" QT_QPA_PLATFORM=xcb "$program" "$@"
status=$?
rm -rf "$config"
exit $status
