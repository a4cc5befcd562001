#!/usr/bin/env bash
# The whole test suite: a Release build with its tests, then one clang tree with
# AddressSanitizer and UndefinedBehaviorSanitizer that runs the tests again and builds the
# fuzzers, which then run briefly.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

# Cached objects are found again from any checkout of the repository.
export CCACHE_BASEDIR=$PWD
jobs=$(nproc)
run_suite() {
  local dir=$1
  shift
  cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
  cmake --build "$dir" -j "$jobs"
  ctest --test-dir "$dir" -j "$jobs" --output-on-failure
}

echo "== Release build and tests =="
run_suite build -DCMAKE_BUILD_TYPE=Release

echo "== Tests under AddressSanitizer and UndefinedBehaviorSanitizer =="
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
  CC=clang CXX=clang++ run_suite build-asan -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_C_FLAGS_DEBUG="-g -O1" -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" -DZARN_FUZZ=ON -DZARN_BENCH=OFF

echo "== Fuzzers, briefly =="
ZARN_FUZZ_BUILD=build-asan bash scripts/fuzz.sh "${FUZZ_SECONDS:-30}"
