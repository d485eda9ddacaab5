#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for SECONDS (default 60) on top of its
# committed seed corpus. Findings are written to build-fuzz/findings/; the exit code is not 0
# when a target found a crash, a sanitizer report or a broken invariant.
#   tools/fuzz.sh [SECONDS] [JOBS]
set -euo pipefail
cd "$(dirname "$0")/.."
SECONDS_EACH=${1:-60}
JOBS=${2:-1}
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DDIDUZOZOZ_FUZZ=ON -DDIDUZOZOZ_GUI=OFF -DDIDUZOZOZ_TESTS=OFF >/dev/null
cmake --build build-fuzz
mkdir -p build-fuzz/findings
status=0
for target in fuzz_create fuzz_cli_args fuzz_codelist fuzz_read_image; do
  seeds="tests/fuzz/corpus/${target#fuzz_}"
  work="build-fuzz/corpus/${target#fuzz_}"
  mkdir -p "$work" "$seeds"
  echo "== $target for ${SECONDS_EACH}s"
  # Memory is bounded per input: the core never allocates from an unchecked number.
  parallel=()
  [ "$JOBS" -gt 1 ] && parallel=(-fork="$JOBS")
  if ! build-fuzz/tests/fuzz/$target -max_total_time="$SECONDS_EACH" -malloc_limit_mb=256 \
       -rss_limit_mb=2048 -timeout=10 "${parallel[@]}" -print_final_stats=1 \
       -artifact_prefix=build-fuzz/findings/ "$work" "$seeds" 2>build-fuzz/$target.log; then
    status=1
    tail -40 build-fuzz/$target.log
  fi
  grep -E "stat::number_of_executed_units|Done [0-9]+ runs" build-fuzz/$target.log | tail -1 || true
done
exit $status
