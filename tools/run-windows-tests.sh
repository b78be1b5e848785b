#!/usr/bin/env bash
# Cross-builds the core and its tests for 64-bit Windows with MinGW-w64 and
# runs them under wine, in a wine prefix of the build's own. Prints what ran,
# what passed and, for each skipped test, why.
set -euo pipefail
build=${1:-build-windows}
source_dir=$(cd "$(dirname "$0")/.." && pwd)

export WINEPREFIX="$(realpath -m "$build")/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)
# Console programs only: wine needs no display, and must not look for one.
unset DISPLAY WAYLAND_DISPLAY

cmake -S "$source_dir" -B "$build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$source_dir/cmake/mingw-w64-x86_64.toolchain.cmake" \
  -DSONDREL_GTEST_SOURCE=/usr/src/googletest \
  -DSONDREL_BUILD_QT=OFF -DSONDREL_BUILD_UI=OFF -DSONDREL_BUILD_BENCH=OFF
# One server and one set of wine's own services for the whole run. Started
# by each test program instead, the services would hold the program's output
# open until the server ended, and a program could connect to a server that
# was just going away.
mkdir -p "$WINEPREFIX"
"$wineserver" --persistent
trap '"$wineserver" --kill || true' EXIT
echo "Starting wine in $WINEPREFIX"
"$wine" wineboot --init >/dev/null 2>&1 || true
cmake --build "$build" -j "$(nproc)"

cd "$build"
status=0
# A program under wine now and then dies before it prints a line when the
# machine is loaded; a test that fails is tried up to three times, so that
# only a failure that repeats fails the run.
ctest --output-on-failure -j "$(nproc)" --repeat until-pass:3 | tee ctest-output.txt || status=$?
log=Testing/Temporary/LastTest.log
total=$(sed -n 's/.* tests failed out of \([0-9]*\)$/\1/p' ctest-output.txt)
failed=$(sed -n 's/.*, \([0-9]*\) tests failed out of .*/\1/p' ctest-output.txt)
skipped=$(grep -c '(Skipped)$' ctest-output.txt || true)
echo
echo "Under wine: ${total:-no} tests run, $((${total:-0} - ${failed:-0} - skipped)) passed, ${failed:-?} failed, $skipped skipped."
echo "Skipped, and why:"
# gtest writes the reason on the line before the test's "[  SKIPPED ]".
awk '/^\[  SKIPPED \] [^0-9]/ && /\(/ { sub(/ \(.*/, ""); print "  " $4 ": " reason } { reason = $0 }' "$log" |
  sort -u | grep . || echo "  none"
exit $status
