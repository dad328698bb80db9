#!/usr/bin/env bash
# The sanitizer lane: builds the test suite with AddressSanitizer and UndefinedBehaviorSanitizer
# (-fno-sanitize-recover=undefined: the first undefined behaviour fails the test) into
# build-sanitize/ and runs it through CTest. Benchmarks are not built, and the tests that crash on
# purpose are not part of this build (see tests/CMakeLists.txt).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

# Objects are shared with other clones of the repository whatever folder they live in.
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1

cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" \
  -DCMAKE_C_FLAGS_DEBUG="-O1 -g" -DZERUN_SANITIZE=ON -DZERUN_BUILD_BENCH=OFF >/dev/null
cmake --build build-sanitize -j2

# Leaks are reported (suppressions only for named system libraries), a report fails the test,
# and a fault in a test ends it with the sanitizer's report rather than the test's own handler.
export ASAN_OPTIONS="detect_leaks=1:halt_on_error=1:check_initialization_order=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$PWD/tests/sanitizer/lsan.supp:print_suppressions=0"
cd build-sanitize && ctest -j2 --output-on-failure "$@"
