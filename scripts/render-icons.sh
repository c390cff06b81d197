#!/usr/bin/env bash
# Renders the application icon's PNG sizes from resources/icons/sorabel.svg.
# The PNGs are kept in the repository; run this after changing the SVG
# (needs rsvg-convert from librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")/../resources/icons"
for size in 16 22 24 32 48 64 128 256; do
  rsvg-convert -w "$size" -h "$size" sorabel.svg -o "sorabel-$size.png"
done
