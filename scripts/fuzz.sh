#!/bin/bash
# Builds the fuzz targets of fuzz/ with clang, AddressSanitizer and UndefinedBehaviorSanitizer, and runs each on
# its seeds for a bounded time (FUZZ_SECONDS, 30 by default). A crash or a sanitizer report fails the run and
# leaves the input that caused it in build-fuzz/. New inputs found go to build-fuzz/corpus; the seeds in the
# repository stay as they are.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-30}
cmake -S . -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DQUIBBLY_FUZZ=ON -DQUIBBLY_BUILD_TESTS=OFF -DQUIBBLY_BUILD_BENCH=OFF -DQUIBBLY_WERROR=ON >/dev/null
cmake --build build-fuzz -j "$(nproc)" --target fuzzers
status=0
for seeds in fuzz/corpus/*/; do
    name=$(basename "$seeds")
    found=build-fuzz/corpus/$name
    mkdir -p "$found"
    if build-fuzz/fuzz/fuzz_"$name" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=4096 \
        -artifact_prefix=build-fuzz/"$name"- "$found" "$seeds" >build-fuzz/"$name".log 2>&1; then
        echo "fuzz $name: passed ($seconds s)"
    else
        echo "fuzz $name: FAILED"
        tail -n 40 build-fuzz/"$name".log
        status=1
    fi
done
exit $status
