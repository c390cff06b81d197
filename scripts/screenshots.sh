#!/usr/bin/env bash
# Takes the README's pictures of the main window: the sample book at scale 1,
# at QT_SCALE_FACTOR=2 with the File menu open, and in the dark theme
# (--dark) with the View menu open. Each runs the program in an X server of
# its own with openbox and keeps the window with its frame.
# Needs Xvfb, openbox, xdotool, x11-utils and ImageMagick; run after a build.
#   scripts/screenshots.sh [build folder]   (default: build)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "${1:-$root/build}" && pwd)"
out="$root/docs/screenshots"
work="$(mktemp -d)"
# The book is opened from a short neutral path: the title bar shows it.
shown=/tmp/sorabel-screenshots
mkdir -p "$shown"
book="$shown/家計簿.csv"
cp "$root/examples/sample-book.csv" "$book"
trap 'rm -rf "$work" "$shown"' EXIT

# shot NAME SCREEN EXTRA-ARGUMENTS XDOTOOL-COMMAND [ENV...]
# The xdotool command (words; $window is the main window) opens a menu.
shot() {
  local name=$1 screen=$2 arguments=$3 menu=$4
  shift 4
  env "$@" HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_DATA_HOME="$work/home/.local/share" \
    XDG_STATE_HOME="$work/home/.local/state" XDG_CACHE_HOME="$work/home/.cache" \
    xvfb-run -a -s "-screen 0 ${screen}x24" bash -c '
      set -e
      openbox >/dev/null 2>&1 & sleep 1
      "$0" $1 >/dev/null 2>&1 & app=$!
      sleep 4
      # Typing a Japanese name through xdotool sometimes loses characters:
      # a message box says so, and the name is typed again.
      for attempt in 1 2 3 4 5; do
        xdotool key ctrl+o; sleep 2
        xdotool type --delay 60 "$2"; sleep 0.5; xdotool key Return; sleep 2
        window=$(xdotool getactivewindow)
        xdotool getwindowname "$window" | grep -q "$(basename "$2")" && break
        xdotool key Return; sleep 1
      done
      if [ -n "$3" ]; then eval "xdotool $3"; sleep 1; fi
      import -window root "$4.full.png"
      eval "$(xwininfo -id "$window" | sed -n -E "s/^ *Absolute upper-left X: *(-?[0-9]+)/x=\1/p; s/^ *Absolute upper-left Y: *(-?[0-9]+)/y=\1/p; s/^ *Width: *([0-9]+)/w=\1/p; s/^ *Height: *([0-9]+)/h=\1/p")"
      read -r left right top bottom < <(xprop -id "$window" _NET_FRAME_EXTENTS | sed -E "s/.*= *//; s/,//g")
      convert "$4.full.png" -crop "$((w + left + right))x$((h + top + bottom))+$((x - left))+$((y - top))" +repage \
        -strip -define png:compression-level=9 "$4"
      kill $app' "$build/sorabel" "$arguments" "$book" "$menu" "$work/$name.png"
  cp "$work/$name.png" "$out/$name.png"
  echo "$out/$name.png: $(identify -format '%wx%h' "$out/$name.png"), $(($(stat -c %s "$out/$name.png") / 1024)) KB"
}

mkdir -p "$out"
shot main-window 1280x900 "" ""
# A click on ファイル (at 30, 10 in the window's logical pixels).
shot high-density 1800x1400 "" 'mousemove --window $window 60 20 click 1' QT_SCALE_FACTOR=2
shot dark-theme 1280x900 --dark 'key alt+v'
