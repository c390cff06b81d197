#!/usr/bin/env bash
# Builds the fuzz targets of tests/fuzz with clang, libFuzzer, AddressSanitizer
# and UndefinedBehaviorSanitizer into ./build-fuzz and runs each in turn for
# the given seconds (default 60) on its seed corpus tests/fuzz/corpus/<name>/.
#   scripts/fuzz.sh [seconds] [name...]     e.g. scripts/fuzz.sh 600 book cp932
# Inputs that find new paths are kept in build-fuzz/corpus/<name>/ (the
# committed seeds are only read) and are used again by the next run. An
# input that breaks a property or trips a sanitizer is saved in
# build-fuzz/findings/<name>/ and the script fails; run the target on that
# file to see it again, e.g. build-fuzz/tests/fuzz/sorabel_fuzz_book <file>.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=$root/build-fuzz
seconds=${1:-60}
[ $# -gt 0 ] && shift
case $seconds in '' | *[!0-9]*) echo "usage: $0 [seconds] [name...]" >&2; exit 2 ;; esac

scripts/install-deps.sh
scripts/install-deps.sh --checks
command -v clang++ >/dev/null || { echo "fuzz: clang++ is needed for libFuzzer" >&2; exit 1; }

cmake -S . -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g1 -D_GLIBCXX_ASSERTIONS" \
  -DSORABEL_SANITIZE=ON -DSORABEL_FUZZ=ON -DSORABEL_BUILD_BENCH=OFF -DSORABEL_BUILD_GALLERY=OFF >/dev/null
cmake --build "$build" --target sorabel_fuzz_targets -j2

names=("$@")
if [ ${#names[@]} -eq 0 ]; then
  for folder in tests/fuzz/corpus/*/; do names+=("$(basename "$folder")"); done
fi

export ASAN_OPTIONS="detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$root/tests/sanitizers/lsan.supp:print_suppressions=0"
export QT_QPA_PLATFORM=offscreen
mkdir -p "$build/logs"
failed=()
for name in "${names[@]}"; do
  program=$build/tests/fuzz/sorabel_fuzz_$name
  seeds=$root/tests/fuzz/corpus/$name
  [ -x "$program" ] && [ -d "$seeds" ] || { echo "fuzz: no target $name" >&2; exit 2; }
  mkdir -p "$build/corpus/$name" "$build/findings/$name"
  log=$build/logs/$name.log
  printf 'fuzz: %-15s %4s s ... ' "$name" "$seconds"
  if "$program" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
       -artifact_prefix="$build/findings/$name/" "$build/corpus/$name" "$seeds" >"$log" 2>&1; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    echo "ok, ${runs:-?} inputs, $(find "$build/corpus/$name" -type f | wc -l) kept"
  else
    echo "FINDING (log: ${log#"$root"/})"
    grep -m1 -E 'property does not hold|ERROR: |runtime error|the component let out' "$log" || tail -5 "$log"
    failed+=("$name")
  fi
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzz: findings in ${failed[*]}; inputs in build-fuzz/findings/" >&2
  exit 1
fi
