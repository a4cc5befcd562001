#!/usr/bin/env bash
# Builds the fuzz targets with clang in build-fuzz/ (or in the already configured tree named
# by ZARN_FUZZ_BUILD, such as the test suite's sanitizer tree) and runs each for SECONDS (default 30),
# starting from seeds cut out of the shared corpus. The inputs each fuzzer finds are kept in
# build-fuzz/corpus/<target>/ for the next run; crashing inputs go to build-fuzz/findings/.
# A single allocation over MALLOC_LIMIT_MB (default 512) or a process over RSS_LIMIT_MB (default
# 1024) is a finding like a crash: input that makes a reader or the player claim memory out of
# proportion to its size. AddressSanitizer's quarantine of freed blocks is kept small so that the
# resident size measures what the code holds, not what the sanitizer keeps back.
# Exits non-zero when a fuzzer finds a crash or a blow-up.
# Usage: scripts/fuzz.sh [SECONDS]
set -euo pipefail

seconds=${1:-30}
rss_limit_mb=${RSS_LIMIT_MB:-1024}
malloc_limit_mb=${MALLOC_LIMIT_MB:-512}
export ASAN_OPTIONS="quarantine_size_mb=64${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${ZARN_FUZZ_BUILD:-$root/build-fuzz}")

if [ -z "${ZARN_FUZZ_BUILD:-}" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZARN_FUZZ=ON -DZARN_TESTS=OFF -DZARN_BENCH=OFF > /dev/null
fi
cmake --build "$build" --target read_movie_fuzz read_tag_fuzz player_fuzz skin_image_fuzz interpreter_fuzz

seeds=$(mktemp -d)
trap 'rm -rf "$seeds"' EXIT
"$root/fuzz/seed.sh" "$seeds"
# The skin loader starts from the skins the build drew, when there are any.
mkdir -p "$seeds/skin" "$seeds/actions"
for skin in kalvzarn.wui kalvsp.wui; do
  if [ -f "$build/$skin" ]; then cp "$build/$skin" "$seeds/skin/"; fi
done

mkdir -p "$build/findings"
status=0
for pair in read_movie_fuzz:movie read_tag_fuzz:tag player_fuzz:movie skin_image_fuzz:skin interpreter_fuzz:actions; do
  target=${pair%%:*}
  input=${pair#*:}
  mkdir -p "$build/corpus/$target"
  echo "== $target for ${seconds}s"
  "$build/fuzz/$target" -max_total_time="$seconds" -timeout=25 -print_final_stats=1 \
    -rss_limit_mb="$rss_limit_mb" -malloc_limit_mb="$malloc_limit_mb" \
    -artifact_prefix="$build/findings/$target-" "$build/corpus/$target" "$seeds/$input" ||
    status=1
done
exit $status
