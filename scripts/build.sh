#!/usr/bin/env bash
# Configures and builds Sorabel into ./build (Release with debug info).
# Arguments go to the build, e.g. `--target sorabel` for the program alone.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j2 "$@"
