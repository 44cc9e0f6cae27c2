#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite twice:
# once in a normal build, once under AddressSanitizer and
# UndefinedBehaviorSanitizer; the tests of the threaded parts (label
# "threads": the key-test worker, the capture readers, the shared virtual
# clock) under ThreadSanitizer; then every fuzz target for a short time
# (scripts/fuzz.sh) and the Windows build of the core and its tests under
# Wine (scripts/test-windows.sh). GUI tests run on Qt's offscreen platform.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/setup.sh"
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

"$root/scripts/build.sh" build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZELKO_WARNINGS_AS_ERRORS=ON
ctest --test-dir "$root/build" --output-on-failure -j "$(nproc)"

"$root/scripts/build.sh" build-asan -DCMAKE_BUILD_TYPE=Debug -DZELKO_SANITIZE=ON -DZELKO_BUILD_BENCH=OFF -DZELKO_WARNINGS_AS_ERRORS=ON
ctest --test-dir "$root/build-asan" --output-on-failure -j "$(nproc)"

# Only the threaded parts' tests are built in this tree.
cmake -S "$root" -B "$root/build-tsan" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZELKO_SANITIZE_THREAD=ON \
  -DZELKO_BUILD_GUI=OFF -DZELKO_BUILD_BENCH=OFF -DZELKO_WARNINGS_AS_ERRORS=ON >/dev/null
cmake --build "$root/build-tsan" -j "$(nproc)" --target tests_threads
TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 \
  ctest --test-dir "$root/build-tsan" -L threads --output-on-failure -j "$(nproc)"

"$root/scripts/fuzz.sh" 20

# The Windows leg: the core, zelko77ctl.exe and their tests cross-built with
# mingw-w64 and run under Wine. Only a failed package install skips it.
windows=0
"$root/scripts/test-windows.sh" build-windows || windows=$?
if [ "$windows" -eq 3 ]; then
  echo "test.sh: the Windows leg was skipped: its packages (mingw-w64, Wine) could not be installed"
elif [ "$windows" -ne 0 ]; then
  exit "$windows"
fi
