#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks the installed tree:
# the program, the help file where the program looks for it, the desktop
# entry, the metainfo and the icons, validated with the desktop's own tools
# when they are there. Usage: check_install.sh <build folder>
set -euo pipefail
build=${1:?usage: check_install.sh <build folder>}
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

failures=0
expect_file() {
  if [ ! -f "$prefix/$1" ]; then
    echo "missing: $1"
    failures=$((failures + 1))
  fi
}
expect_file bin/sorabel
expect_file share/sorabel/Sorabel.hlp
expect_file share/applications/jp.sorabel.Sorabel.desktop
expect_file share/metainfo/jp.sorabel.Sorabel.metainfo.xml
expect_file share/icons/hicolor/scalable/apps/jp.sorabel.Sorabel.svg
for size in 16 22 24 32 48 64 128 256; do
  png=share/icons/hicolor/${size}x${size}/apps/jp.sorabel.Sorabel.png
  expect_file "$png"
  if command -v file >/dev/null && ! file "$prefix/$png" | grep -q "$size x $size"; then
    echo "wrong size: $png"
    failures=$((failures + 1))
  fi
done
[ -x "$prefix/bin/sorabel" ] || { echo "bin/sorabel is not executable"; failures=$((failures + 1)); }

# The program takes no arguments; its launcher passes none.
desktop=$prefix/share/applications/jp.sorabel.Sorabel.desktop
grep -qx 'Exec=sorabel' "$desktop" || { echo "Exec must be the bare program"; failures=$((failures + 1)); }
grep -qx 'Icon=jp.sorabel.Sorabel' "$desktop" || { echo "Icon must name the installed icon"; failures=$((failures + 1)); }

if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$desktop" || failures=$((failures + 1))
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$prefix/share/metainfo/jp.sorabel.Sorabel.metainfo.xml" >/dev/null ||
    { appstreamcli validate --no-net "$prefix/share/metainfo/jp.sorabel.Sorabel.metainfo.xml"; failures=$((failures + 1)); }
fi

[ $failures -eq 0 ] && echo "installed tree complete"
exit $((failures > 0))
