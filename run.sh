#!/usr/bin/env bash
# Installs what is missing, builds the program alone into build-run/ (no
# tests, no debug information, each library compiled as a few large units),
# and starts it. Without a display it starts under Xvfb.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
cmake -S . -B build-run -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" \
  -DSORABEL_PROGRAM_ONLY=ON -DCMAKE_UNITY_BUILD=ON >/dev/null
cmake --build build-run -j2 --target sorabel
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec build-run/sorabel
else
  exec xvfb-run -a -s "-screen 0 1280x1024x24" build-run/sorabel
fi
