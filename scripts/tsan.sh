#!/usr/bin/env bash
# The race check: builds the tests of the code that runs on several threads (the unpack and its
# workers, the unpack run, the log handler, the download manager) with ThreadSanitizer into
# build-tsan/ and runs them through CTest. A race report fails its test. Suppressions, each with
# its reason, are for Qt's and the system's own libraries only: tests/sanitizer/tsan.supp.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

# Objects are shared with other clones of the repository whatever folder they live in.
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1

tests=(tst_tsunzip tst_tsunzip_hostile tst_unpacktransaction tst_tscompression tst_tslogging
  tst_downloadmanager)
cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" \
  -DCMAKE_C_FLAGS_DEBUG="-O1 -g" -DZERUN_TSAN=ON -DZERUN_BUILD_BENCH=OFF >/dev/null
cmake --build build-tsan -j2 --target "${tests[@]}"

export TSAN_OPTIONS="suppressions=$PWD/tests/sanitizer/tsan.supp:halt_on_error=0:exitcode=66:second_deadlock_stack=1:print_suppressions=0"
pattern="^($(IFS='|'; echo "${tests[*]}"))\$"
cd build-tsan && ctest -j2 --output-on-failure -R "$pattern" "$@"
