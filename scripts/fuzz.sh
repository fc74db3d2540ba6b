#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer, address and undefined-behaviour sanitizers) in
# build-fuzz and runs each on its committed seed corpus fuzz/corpus/<target>, one at a time.
#   scripts/fuzz.sh --seconds 10 [target...]     each target for a while (the test command)
#   scripts/fuzz.sh --runs 1000000 [target...]   each target to a number of inputs
# New inputs go to build-fuzz/corpus/<target>; a finding stops the run with its log and
# leaves the input as build-fuzz/crash-* (or leak-*, timeout-*, oom-*).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
limit=(-max_total_time=10)
case "${1:-}" in
  --seconds) limit=(-max_total_time="$2"); shift 2 ;;
  --runs) limit=(-runs="$2"); shift 2 ;;
esac
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(save_fuzz dungeon_fuzz bmp_fuzz effect_fuzz music_fuzz replay_fuzz)

# The longest input each target reads: whole saved games, dungeon files and shipped
# pictures and sounds fit.
declare -A max_len=([save_fuzz]=16384 [dungeon_fuzz]=40000 [bmp_fuzz]=70000
                    [effect_fuzz]=100000 [music_fuzz]=32768 [replay_fuzz]=32768)

fuzzdir="$root/build-fuzz"
CC=clang CXX=clang++ cmake -S "$root" -B "$fuzzdir" -G Ninja -DMIROVAAN_FUZZ=ON \
  -DMIROVAAN_BUILD_QT=OFF -DMIROVAAN_BUILD_TESTS=OFF -DMIROVAAN_BUILD_BENCH=OFF >/dev/null
cmake --build "$fuzzdir" -j "$(nproc)" --target fuzzers

for t in "${targets[@]}"; do
  work="$fuzzdir/corpus/$t"
  mkdir -p "$work"
  log="$fuzzdir/$t.log"
  echo "fuzzing $t (${limit[*]})"
  start=$(date +%s)
  (cd "$fuzzdir" && "$fuzzdir/fuzz/$t" "${limit[@]}" -max_len="${max_len[$t]}" -timeout=10 \
     -rss_limit_mb=2048 -print_final_stats=1 "$work" "$root/fuzz/corpus/$t" 2>"$log") ||
    { tail -n 40 "$log"; echo "fuzz target $t found a fault; see $log"; exit 1; }
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  echo "  $t: ${runs:-?} inputs in $(( $(date +%s) - start )) s, no finding"
done
