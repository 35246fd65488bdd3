#!/usr/bin/env bash
# Builds the conversion fuzzers with clang and runs each for the given number
# of seconds (60 unless told). Inputs that reach new code are kept in
# build/fuzz/found; an input that breaks a conversion is saved in
# build/fuzz/artifacts and its account printed. Fails if any target does.
#   scripts/fuzz.sh [seconds]
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-60}"
if ! [[ "$seconds" =~ ^[1-9][0-9]*$ ]]; then
    echo "usage: scripts/fuzz.sh [seconds per target]" >&2
    exit 2
fi
build="${ORLO_FUZZ_BUILD:-build/fuzz}"

scripts/setup.sh
cmake -S tests/fuzz -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$build"

targets=$(sed -n 's/^set(ORLO_FUZZ_TARGETS \(.*\))$/\1/p' tests/fuzz/fuzz_targets.cmake)
if [ -z "$targets" ]; then
    echo "fuzz: no targets listed in tests/fuzz/fuzz_targets.cmake" >&2
    exit 1
fi
failed=()
for target in $targets; do
    mkdir -p "$build/found/$target" "$build/artifacts"
    echo "fuzz: $target for ${seconds}s"
    dictionary=tests/fuzz/number.dict
    [ -f "tests/fuzz/$target.dict" ] && dictionary="tests/fuzz/$target.dict"
    if "$build/${target}_fuzz" -max_total_time="$seconds" -timeout=5 -print_final_stats=1 \
        -dict="$dictionary" -artifact_prefix="$build/artifacts/$target-" \
        "$build/found/$target" "tests/fuzz/corpus/$target" >"$build/$target.log" 2>&1; then
        grep -E '^stat::number_of_executed_units' "$build/$target.log" | sed 's/^stat::number_of_executed_units: */  runs: /'
    else
        failed+=("$target")
        grep -A3 '^BROKEN' "$build/$target.log" | sed 's/^/  /' || true
        grep -E '^SUMMARY:' "$build/$target.log" | sed 's/^/  /' || true
        echo "  full log: $build/$target.log"
    fi
done

if [ "${#failed[@]}" -gt 0 ]; then
    echo "fuzz: FAILED: ${failed[*]}"
    exit 1
fi
echo "fuzz: all targets held for ${seconds}s each"
