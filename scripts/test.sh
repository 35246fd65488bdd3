#!/usr/bin/env bash
# Installs what is missing, builds Orlo Score and runs every test through
# CTest; then builds it again with AddressSanitizer, UndefinedBehaviorSanitizer
# and LeakSanitizer and runs the whole suite under them, where any finding
# fails its test. Both runs always happen; the script fails if either does.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
status=0

cmake --preset default >/dev/null
cmake --build --preset default
ctest --preset default || status=1

cmake --preset asan >/dev/null
cmake --build --preset asan
ctest --preset asan || status=1

exit "$status"
