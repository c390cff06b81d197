#!/usr/bin/env bash
# Installs the Debian packages Sorabel needs to build, test and run.
# Does nothing when they are all present already.
#   scripts/install-deps.sh           what ./run.sh and ./test.sh need
#   scripts/install-deps.sh --checks  that, and clang with its sanitizer and
#                                     fuzzer runtimes and llvm-symbolizer, for
#                                     scripts/check-sanitizers.sh and scripts/fuzz.sh
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev libgl-dev libxcb1-dev qt6-translations-l10n
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-ipafont-gothic fonts-ipafont-mincho
  xvfb xauth poppler-utils openbox xdotool
  desktop-file-utils appstream dpkg-dev file
)
# clang and libclang-rt-dev follow the distribution's default clang version
# (14 on Debian 12: clang-14, libclang-rt-14-dev); llvm brings llvm-symbolizer
# for readable sanitizer reports; ccache keeps rebuilds of the checked builds short.
check_packages=(clang libclang-rt-dev llvm ccache)

case "${1:-}" in
  "") ;;
  --checks) packages+=("${check_packages[@]}") ;;
  *) echo "usage: $0 [--checks]" >&2; exit 2 ;;
esac

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
"${sudo[@]}" apt-get update
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
