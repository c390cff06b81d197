#!/usr/bin/env bash
# Builds the program and its tests with AddressSanitizer (leak detection on)
# and UndefinedBehaviorSanitizer into ./build-san and runs every test on the
# offscreen platform, and every fuzz target once over each input of its seed
# corpus (tests/fuzz/corpus). Fails on a failing test and on any sanitizer report,
# also one from a process whose exit status a test does not look at.
# clang is used when it is there (it is installed when it can be), else gcc;
# CXX chooses another compiler.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=$root/build-san

scripts/install-deps.sh
scripts/install-deps.sh --checks || echo "check-sanitizers: clang could not be installed; using gcc" >&2

# A compiler is usable when it links a program with both sanitizers (clang
# without its runtimes installed does not).
links_sanitized() {
  local probe
  probe=$(mktemp -d)
  echo 'int main() { return 0; }' >"$probe/probe.cpp"
  "$1" -fsanitize=address,undefined "$probe/probe.cpp" -o "$probe/probe" 2>/dev/null
  local ok=$?
  rm -rf "$probe"
  return $ok
}
cxx=${CXX:-}
if [ -z "$cxx" ]; then
  if command -v clang++ >/dev/null && links_sanitized clang++; then cxx=clang++; else cxx=g++; fi
fi
links_sanitized "$cxx" || { echo "check-sanitizers: $cxx cannot link with the sanitizers" >&2; exit 1; }
echo "check-sanitizers: building with $cxx into build-san/"

started=$SECONDS
# -O1 keeps the build and the runs short; -g1 (line tables only) is all the
# reports' stack traces need and keeps compiling and linking quick. Assertions
# stay on, and the standard library checks its own preconditions too.
# Precompiled headers are off and every file is compiled on its own, so a
# file that does not include what it uses fails to compile here.
cmake -S . -B "$build" -G Ninja -DCMAKE_CXX_COMPILER="$cxx" -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g1 -D_GLIBCXX_ASSERTIONS" \
  -DCMAKE_DISABLE_PRECOMPILE_HEADERS=ON -DCMAKE_UNITY_BUILD=OFF \
  -DSORABEL_SANITIZE=ON -DSORABEL_FUZZ_REPLAY=ON -DSORABEL_BUILD_BENCH=OFF -DSORABEL_BUILD_GALLERY=OFF >/dev/null
# Only what the tests run: the program itself is exercised through the test
# programs, and its installed tree and package are checked by ./test.sh.
cmake --build "$build" -j2 --target sorabel_core_tests sorabel_gui_tests sorabel_wm_tests \
  sorabel_component_tests sorabel_fuzz_targets
built=$SECONDS

# Every report also goes to a file of its own, so none can pass unseen.
logs=$build/sanitizer-reports
rm -rf "$logs"
mkdir -p "$logs"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:strict_string_checks=1:detect_stack_use_after_return=1:check_initialization_order=1:suppressions=$root/tests/sanitizers/asan.supp:log_path=$logs/report"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:log_path=$logs/report"
export LSAN_OPTIONS="suppressions=$root/tests/sanitizers/lsan.supp:print_suppressions=0"
export QT_QPA_PLATFORM=offscreen

# The GoogleTest programs run whole, two at a time: run one process per test,
# as ctest does, they spend most of their time starting the sanitizers and
# Qt (four minutes instead of one). The other tests (layer rules, window
# manager, fuzz seeds) run through ctest; the package checks are ./test.sh's.
outputs=$build/test-output
rm -rf "$outputs"
mkdir -p "$outputs"
run_program() {
  local code=0
  "$build/tests/$1" >"$outputs/$1.log" 2>&1 || code=$?
  echo $code >"$outputs/$1.status"
}
programs=(sorabel_core_tests sorabel_gui_tests sorabel_component_tests)
run_program "${programs[0]}" &
first=$!
for program in "${programs[@]:1}"; do run_program "$program"; done
wait $first

status=0
for program in "${programs[@]}"; do
  if [ "$(cat "$outputs/$program.status")" = 0 ]; then
    echo "check-sanitizers: $program: $(grep -h '^\[  PASSED  \]' "$outputs/$program.log")"
  else
    cat "$outputs/$program.log"
    echo "check-sanitizers: $program failed (exit status $(cat "$outputs/$program.status"))" >&2
    status=1
  fi
done
ctest --test-dir "$build" --output-on-failure -j2 -R '^(LayerRules|WindowManager|FuzzSeeds\..+)$' || status=1
echo "check-sanitizers: build $((built - started)) s, tests $((SECONDS - built)) s"

reports=$(find "$logs" -type f | sort)
if [ -n "$reports" ]; then
  for report in $reports; do
    echo "==== $report"
    cat "$report"
  done
  echo "check-sanitizers: $(wc -l <<<"$reports") sanitizer report(s)" >&2
  status=1
fi
[ $status -eq 0 ] && echo "check-sanitizers: every test passed, no sanitizer reports"
exit $status
