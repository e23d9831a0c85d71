#!/bin/bash
# Builds and runs the whole test suite: once plain, once with AddressSanitizer and UndefinedBehaviorSanitizer.
# Ends with ctest's summary of the plain run.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
jobs=$(nproc)
status=0
if [ "${QUIBBLY_SKIP_SANITIZERS:-0}" != 1 ]; then
    cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUIBBLY_SANITIZE=ON -DQUIBBLY_BUILD_BENCH=OFF >/dev/null
    cmake --build build-asan -j "$jobs"
    ASAN_OPTIONS=detect_leaks=0 ctest --test-dir build-asan -j "$jobs" --output-on-failure --timeout 300 \
        >build-asan/ctest.log 2>&1 || status=$?
    tail -n 25 build-asan/ctest.log
    [ $status -eq 0 ] && echo "sanitizer run: passed" || echo "sanitizer run: FAILED"
fi
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$jobs"
ctest --test-dir build -j "$jobs" --output-on-failure --timeout 300 || status=1
# Each fuzz target for a short, bounded time, so a regression on hostile input shows (QUIBBLY_SKIP_FUZZ=1: not).
if [ "${QUIBBLY_SKIP_FUZZ:-0}" != 1 ]; then
    scripts/fuzz.sh || status=1
fi
exit $status
