#!/bin/bash
# Builds and runs the whole test suite: once plain, once with AddressSanitizer and UndefinedBehaviorSanitizer.
# Every skipped test is listed with its reason; then each fuzz target runs for a short, bounded time.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
jobs=$(nproc)
status=0

# ctest's summary names a skipped test but not why: the reason is in the test's own output.
skip_reasons() {
    awk '/^[0-9]+\/[0-9]+ Test: / { name = $3; reason = ""; skipping = 0; next }
         /: Skipped$/ { skipping = 1; next }
         /^\[  SKIPPED \]/ { skipping = 0; next }
         skipping { reason = reason (reason == "" ? "" : " ") $0; next }
         /^SKIPPED: / { reason = substr($0, 10); next }
         /^<end of output>/ && reason != "" {
             if (length(reason) > 300) reason = substr(reason, 1, 300) "..."
             print "skipped " name ": " reason; reason = "" }' "$1/Testing/Temporary/LastTest.log"
}

if [ "${QUIBBLY_SKIP_SANITIZERS:-0}" != 1 ]; then
    cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUIBBLY_SANITIZE=ON -DQUIBBLY_BUILD_BENCH=OFF >/dev/null
    cmake --build build-asan -j "$jobs"
    ASAN_OPTIONS=detect_leaks=0 ctest --test-dir build-asan -j "$jobs" --output-on-failure --timeout 300 \
        >build-asan/ctest.log 2>&1 || status=$?
    tail -n 25 build-asan/ctest.log
    skip_reasons build-asan
    [ $status -eq 0 ] && echo "sanitizer run: passed" || echo "sanitizer run: FAILED"
fi
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$jobs"
ctest --test-dir build -j "$jobs" --output-on-failure --timeout 300 || status=1
skip_reasons build
# Each fuzz target for a short, bounded time, so a regression on hostile input shows (QUIBBLY_SKIP_FUZZ=1: not).
if [ "${QUIBBLY_SKIP_FUZZ:-0}" != 1 ]; then
    scripts/fuzz.sh || status=1
fi
# Run through sudo: the build folders go back to the user, whose own runs build in them.
[ -n "${SUDO_USER:-}" ] && chown -R "$SUDO_USER:" build build-asan build-fuzz 2>/dev/null
exit $status
