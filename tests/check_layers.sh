#!/usr/bin/env bash
# Fails when a source file includes a header of a layer above its own, or
# when a Qt-free layer includes a Qt header. Usage: check_layers.sh <src>
set -u
src=${1:?usage: check_layers.sh <src folder>}
cd "$src" || exit 2

# folder -> the project folders its files may include (besides its own)
declare -A allowed=(
  [platform]="platform"
  [ledger]="platform ledger"
  [settings]="platform ledger settings"
  [reports]="platform ledger reports"
  [qtplatform]="platform draw qtplatform"
  [draw]="draw"
  [widgets]="platform qtplatform ledger widgets"
  [components/imagemenu]="draw components/imagemenu"
  [components/toolbars]="draw components/toolbars"
  [forms]="platform qtplatform draw ledger settings reports widgets components/imagemenu components/toolbars forms"
)
qt_free="platform ledger settings reports"

failures=0
for folder in "${!allowed[@]}"; do
  [ -d "$folder" ] || continue
  for file in "$folder"/*.h "$folder"/*.cpp; do
    [ -f "$file" ] || continue
    while IFS= read -r include; do
      target=$(dirname "$include")
      ok=0
      for layer in ${allowed[$folder]}; do [ "$target" = "$layer" ] && ok=1; done
      if [ $ok -eq 0 ]; then
        echo "$file includes \"$include\": $folder may include only ${allowed[$folder]}"
        failures=$((failures + 1))
      fi
    done < <(sed -n -E 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"([^"]+)".*/\1/p' "$file")
    if [[ " $qt_free " == *" $folder "* ]] && grep -qE '^[[:space:]]*#[[:space:]]*include[[:space:]]*<Q' "$file"; then
      echo "$file includes a Qt header in a Qt-free layer"
      failures=$((failures + 1))
    fi
  done
done
for folder in $(find . -mindepth 1 -type d | sed 's#^\./##'); do
  if [ -z "${allowed[$folder]+x}" ] && ls "$folder"/*.h "$folder"/*.cpp >/dev/null 2>&1; then
    echo "$folder has no layer rule in check_layers.sh"
    failures=$((failures + 1))
  fi
done
[ $failures -eq 0 ] && echo "layers ok"
exit $((failures > 0))
