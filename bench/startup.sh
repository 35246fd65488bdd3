#!/usr/bin/env bash
# Start-up benchmark of Orlo Score against two bare Qt Widgets windows of the
# same size, one with as many plain controls and one with a single label,
# under Xvfb.
#   bench/startup.sh [BUILD_DIR [RUNS]]     defaults: build/default, 31 runs
# Prints the medians of time to the first painted frame and of peak memory,
# the instructions to the first frame where valgrind is installed, and the
# ratios program / reference.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/default}
runs=${2:-31}

cmake --build "$build" --target startup_bench >/dev/null
# A private X server without a window manager, ended with the benchmark.
tests/support/private_display.sh \
    "$build/bench/startup_bench" --runs "$runs" \
    "$PWD/$build/bench/libfirst_frame_probe.so" "$PWD/$build/app/Orlo_Score" "$PWD/$build/bench/reference_window" \
    "$PWD/$build/bench/bare_window"
