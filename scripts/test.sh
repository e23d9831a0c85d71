#!/bin/bash
# Builds and runs the whole test suite: once plain, once with AddressSanitizer and UndefinedBehaviorSanitizer.
# Every skipped test is listed with its reason; then each fuzz target runs for a short, bounded time.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
jobs=$(nproc)
status=0

# ctest's summary names a skipped test but not why: the reason is in the test's own output, which ctest keeps
# for each test in its JUnit report. (Not Testing/Temporary/LastTest.log: any ctest run in the same build, the
# test-name check's included, writes that afresh.)
skip_reasons() {
    awk 'function plain(s) { gsub(/&lt;/, "<", s); gsub(/&gt;/, ">", s); gsub(/&quot;/, "\"", s)
                             gsub(/&apos;/, "\047", s); gsub(/&amp;/, "\\&", s); return s }
         function line(s) {
             if (s ~ /: Skipped$/) { skipping = 1; return }
             if (s ~ /^\[  SKIPPED \]/) { skipping = 0; return }
             if (skipping && s != "") { reason = reason (reason == "" ? "" : " ") s; return }
             if (s ~ /^SKIPPED: /) reason = substr(s, 10) }
         /<testcase name="/ { name = $0; sub(/.*<testcase name="/, "", name); sub(/".*/, "", name)
                              name = plain(name); notrun = ($0 ~ /status="notrun"/); reason = ""; skipping = 0 }
         /<system-out>/ { out = 1; sub(/.*<system-out>/, "") }
         out { closing = sub(/<\/system-out>.*/, ""); line(plain($0)); if (closing) out = 0; next }
         /<\/testcase>/ && notrun {
             if (reason == "") reason = "(it printed no reason)"
             if (length(reason) > 300) reason = substr(reason, 1, 300) "..."
             print "skipped " name ": " reason }' "$1"
}

if [ "${QUIBBLY_SKIP_SANITIZERS:-0}" != 1 ]; then
    cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUIBBLY_SANITIZE=ON -DQUIBBLY_BUILD_BENCH=OFF \
        -DQUIBBLY_WERROR=ON >/dev/null
    cmake --build build-asan -j "$jobs"
    ASAN_OPTIONS=detect_leaks=0 ctest --test-dir build-asan -j "$jobs" --output-on-failure --timeout 300 \
        --output-junit "$PWD/build-asan/ctest-junit.xml" >build-asan/ctest.log 2>&1 || status=$?
    tail -n 25 build-asan/ctest.log
    skip_reasons build-asan/ctest-junit.xml
    [ $status -eq 0 ] && echo "sanitizer run: passed" || echo "sanitizer run: FAILED"
fi
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUIBBLY_WERROR=ON >/dev/null
cmake --build build -j "$jobs"
ctest --test-dir build -j "$jobs" --output-on-failure --timeout 300 --output-junit "$PWD/build/ctest-junit.xml" ||
    status=1
skip_reasons build/ctest-junit.xml
# Each fuzz target for a short, bounded time, so a regression on hostile input shows (QUIBBLY_SKIP_FUZZ=1: not).
if [ "${QUIBBLY_SKIP_FUZZ:-0}" != 1 ]; then
    scripts/fuzz.sh || status=1
fi
# Run through sudo: the build folders go back to the user, whose own runs build in them.
[ -n "${SUDO_USER:-}" ] && chown -R "$SUDO_USER:" build build-asan build-fuzz 2>/dev/null
exit $status
