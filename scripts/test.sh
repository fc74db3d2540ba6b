#!/usr/bin/env bash
# Builds everything and runs every test: the unit and scenario tests, the window test, the
# same tests and a soak under the sanitizers, a short run of each fuzz target, and a
# headless end-to-end check of the runner.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/build.sh"

export QT_QPA_PLATFORM=offscreen
(cd "$root/build" && ctest --output-on-failure -j "$(nproc)" --timeout 600)

# The unit tests and the soak under the address and undefined-behaviour sanitizers.
"$root/scripts/sanitize.sh"

# The fuzz targets, briefly, under AddressSanitizer (run longer by hand: see README).
if command -v clang++ >/dev/null; then
  fuzzdir="$root/build-fuzz"
  CC=clang CXX=clang++ cmake -S "$root" -B "$fuzzdir" -G Ninja -DMIROVAAN_FUZZ=ON \
    -DMIROVAAN_BUILD_QT=OFF -DMIROVAAN_BUILD_TESTS=OFF -DMIROVAAN_BUILD_BENCH=OFF >/dev/null
  cmake --build "$fuzzdir" -j "$(nproc)" --target fuzzers
  for f in "$fuzzdir"/fuzz/*_fuzz; do
    [ -x "$f" ] || continue
    echo "fuzzing $(basename "$f") for ${MIROVAAN_FUZZ_SECONDS:-20} s"
    mkdir -p "$fuzzdir/corpus/$(basename "$f")"
    # A committed seed corpus (fuzz/corpus/NAME) starts the fuzzer from real inputs.
    seeds=()
    [ -d "$root/fuzz/corpus/$(basename "$f")" ] && seeds=("$root/fuzz/corpus/$(basename "$f")")
    "$f" -max_total_time="${MIROVAAN_FUZZ_SECONDS:-20}" -rss_limit_mb=4096 \
      "$fuzzdir/corpus/$(basename "$f")" "${seeds[@]}" 2>"$fuzzdir/$(basename "$f").log" ||
      { tail -n 40 "$fuzzdir/$(basename "$f").log"; exit 1; }
  done
fi
echo "all tests passed"
