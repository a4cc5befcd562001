#!/usr/bin/env bash
# The whole test suite: a Release build with its tests, the tests again under
# AddressSanitizer and UndefinedBehaviorSanitizer, and a short run of every fuzzer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

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
  run_suite build-asan -DCMAKE_BUILD_TYPE=Debug -DZARN_SANITIZE=ON -DZARN_BENCH=OFF

echo "== Fuzzers, briefly =="
bash scripts/fuzz.sh "${FUZZ_SECONDS:-30}"
