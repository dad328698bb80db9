#!/usr/bin/env bash
# The race check: builds the tests of the code that runs on several threads (the unpack and its
# workers, the unpack run, the log handler, the download manager) with ThreadSanitizer into
# build-tsan/ and runs them through CTest. A race report fails its test.
#
# Qt and the system libraries are not instrumented, and Qt 5's QMutex (behind its thread pool's
# queue and its queued signals) is invisible to the checker. So memory that those libraries
# allocate, free or touch themselves is left out (ignore_noninstrumented_modules): what Qt copies
# into a queued call and frees after it is not reported, while every access made by this
# project's code still is. Our own code shares state between threads only through std::mutex,
# std::condition_variable and atomics, and tells the checker about the one hand-over through Qt's
# pool (transfer/racecheck_p.h). Further suppressions, each with its reason, are for Qt's and the
# system's libraries only: tests/sanitizer/tsan.supp.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

# Objects are shared with other clones of the repository whatever folder they live in.
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1

tests=(tst_tsunzip tst_tsunzip_hostile tst_unpacktransaction tst_tslogging tst_downloadmanager)
cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" \
  -DCMAKE_C_FLAGS_DEBUG="-O1 -g" -DZERUN_TSAN=ON -DZERUN_BUILD_BENCH=OFF >/dev/null
cmake --build build-tsan -j2 --target "${tests[@]}"

export TSAN_OPTIONS="suppressions=$PWD/tests/sanitizer/tsan.supp:halt_on_error=0:exitcode=66:second_deadlock_stack=1:ignore_noninstrumented_modules=1:print_suppressions=0"
pattern="^($(IFS='|'; echo "${tests[*]}"))\$"
cd build-tsan && ctest -j2 --output-on-failure -R "$pattern" "$@"
