#!/usr/bin/env bash
# Configures and builds Sorabel into ./build (Release with debug info; the
# libraries as a few large units each, the tests file by file).
# Arguments go to the build, e.g. `--target sorabel` for the program alone.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_UNITY_BUILD=ON >/dev/null
cmake --build build -j2 "$@"
