#!/usr/bin/env bash
# Installs what is missing, builds Orlo Score and runs every test through
# CTest; then builds the tests labelled "sanitized" again with
# AddressSanitizer, UndefinedBehaviorSanitizer and LeakSanitizer and runs them
# under those, where any finding fails its test (tests/CMakeLists.txt says
# which and why). Both runs always happen; the script fails if either does.
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
ctest --preset default --parallel "$jobs" || status=1

cmake --preset asan >/dev/null
cmake --build --preset asan
ctest --preset asan --parallel "$jobs" || status=1

exit "$status"
