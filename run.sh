#!/usr/bin/env bash
# Installs what is missing, builds the program (not the tests), and starts it.
# Without a display it starts under Xvfb.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
scripts/build.sh --target sorabel
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec build/sorabel
else
  exec xvfb-run -a -s "-screen 0 1280x1024x24" build/sorabel
fi
