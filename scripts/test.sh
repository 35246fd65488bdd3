#!/usr/bin/env bash
# Installs what is missing, builds Orlo Score and runs every test through
# CTest; then builds the tests labelled "sanitized" again with
# AddressSanitizer, UndefinedBehaviorSanitizer and LeakSanitizer and runs them
# under those, where any finding fails its test (tests/CMakeLists.txt says
# which and why). Both runs always happen; the script fails if either does.
# The sanitized build is made while the fast suite runs.
# No display is needed: the tests that want an X server start their own.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
status=0
# Many tests wait on an X server or a compiler more than they compute, so
# two at a time even on one core; more where there are more cores.
jobs=$(nproc)
[ "$jobs" -ge 2 ] || jobs=2

cmake --preset default >/dev/null
cmake --build --preset default

# The sanitized build is made while the fast suite runs, whose tests spend
# much of their time waiting on an X server: at a lower priority, so that it
# takes the cores those tests leave idle. Its output is shown after the suite.
cmake --preset asan >/dev/null
asan_log=build/asan/build.log
# A process group of its own, ended whole should this script end first.
setsid nice -n 10 cmake --build --preset asan >"$asan_log" 2>&1 &
asan_build=$!
trap 'kill -TERM -- "-$asan_build" 2>/dev/null' EXIT
trap 'exit 143' TERM
trap 'exit 130' INT
trap 'exit 129' HUP
ctest --preset default --parallel "$jobs" || status=1

asan_built=0
wait "$asan_build" || asan_built=$?
trap - EXIT TERM INT HUP
cat "$asan_log"
if [ "$asan_built" -eq 0 ]; then
    ctest --preset asan --parallel "$jobs" || status=1
else
    echo "The sanitized build failed (status $asan_built): its tests did not run."
    status=1
fi

exit "$status"
