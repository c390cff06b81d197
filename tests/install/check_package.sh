#!/usr/bin/env bash
# Builds the Debian package from the build folder into a temporary folder
# and checks its contents and dependencies. Usage: check_package.sh <build folder>
set -euo pipefail
build=${1:?usage: check_package.sh <build folder>}
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
(cd "$build" && cpack -G DEB -B "$out" >/dev/null)
deb=$(ls "$out"/*.deb)

failures=0
contents=$(dpkg-deb --contents "$deb")
for path in ./usr/bin/sorabel ./usr/share/sorabel/Sorabel.hlp ./usr/share/applications/jp.sorabel.Sorabel.desktop \
            ./usr/share/metainfo/jp.sorabel.Sorabel.metainfo.xml \
            ./usr/share/icons/hicolor/48x48/apps/jp.sorabel.Sorabel.png; do
  grep -q " $path\$" <<<"$contents" || { echo "not in the package: $path"; failures=$((failures + 1)); }
done
grep -q 'sorabel_' <<<"$contents" && { echo "the package holds test or gallery files"; failures=$((failures + 1)); }
depends=$(dpkg-deb --field "$deb" Depends)
for needed in libqt6widgets6 fonts-ipafont-gothic; do
  grep -q "$needed" <<<"$depends" || { echo "Depends lacks $needed: $depends"; failures=$((failures + 1)); }
done

[ $failures -eq 0 ] && echo "package $(basename "$deb") complete"
exit $((failures > 0))
