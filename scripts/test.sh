#!/usr/bin/env bash
# Installs what is missing, builds Orlo Score and runs every test through CTest.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
cmake --preset default >/dev/null
cmake --build --preset default
ctest --preset default
