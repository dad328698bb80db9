#!/usr/bin/env bash
# Builds the fuzz targets with clang on libFuzzer (address and undefined-behaviour checks) into
# build-fuzz/ and runs each for the given number of seconds (default 60), one after the other:
#   bash scripts/fuzz.sh [seconds] [target...]
# Each run starts from the seed corpus in fuzz/corpus/<target> (a copy grows in
# build-fuzz/corpus/<target>); a failing input is written to build-fuzz/failures/<target>/.
# Keep such an input under tests/data/fuzz/<target>/ with a name that says what it reproduces:
# the normal test suite replays it (fuzz_replay_<target>). Prints the executions per target;
# exits non-zero when any target failed.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

seconds=${1:-60}
shift || true
targets=("$@")
((${#targets[@]})) || targets=(catalogue tsxml tscipher unzip packagehost)

export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g" -DCMAKE_C_FLAGS_RELWITHDEBINFO="-O1 -g" \
  -DZERUN_FUZZ=ON -DZERUN_BUILD_TESTS=OFF -DZERUN_BUILD_BENCH=OFF >/dev/null
cmake --build build-fuzz -j2 --target "${targets[@]/#/fuzz-}"

export ASAN_OPTIONS="detect_leaks=0:halt_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
failed=()
summary=()
for target in "${targets[@]}"; do
  corpus=build-fuzz/corpus/$target
  failures=build-fuzz/failures/$target
  mkdir -p "$corpus" "$failures"
  cp -n fuzz/corpus/"$target"/* "$corpus"/ 2>/dev/null || true
  log=build-fuzz/fuzz-$target.log
  echo "fuzz: $target for ${seconds}s"
  # -timeout: an input that runs over 5 s is a hang and fails the run.
  if build-fuzz/bin/fuzz-"$target" -max_total_time="$seconds" -timeout=5 -rss_limit_mb=4096 \
      -print_final_stats=1 -artifact_prefix="$failures/" "$corpus" >"$log" 2>&1; then
    result=ok
  else
    result=FAILED
    failed+=("$target")
    tail -n 60 "$log"
  fi
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo '?')
  summary+=("$(printf '%-12s %10s executions in %ss  %s' "$target" "$runs" "$seconds" "$result")")
done
printf '%s\n' "${summary[@]}"
if ((${#failed[@]})); then
  echo "fuzz: failing inputs in build-fuzz/failures/ for: ${failed[*]}"
  exit 1
fi
