#!/usr/bin/env bash
# Builds the Debian package of Orlo Score (Release build) and prints its path.
#   scripts/package.sh [BUILD_DIR]     default build/package
# Install it with: sudo apt install ./build/package/orlo-score_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/package}

scripts/setup.sh
cmake --preset default -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build"
rm -f "$build"/orlo-score_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
ls "$PWD/$build"/orlo-score_*.deb
