#!/usr/bin/env bash
# Builds the game, its unit tests and the soak once more into build-asan/ with the address
# and undefined-behaviour sanitizers (no Qt, no benchmarks), runs every unit test there and
# then the soak: random play of every hero in every dungeon, with saves and loads of good
# and damaged files, every state checked at every tick. Leaks fail the run as well.
#   MIROVAAN_SOAK_SECONDS  how long the soak plays (default 60)
#   MIROVAAN_SOAK_SEED     its seed (default: a new one each run, printed)
#   --build-only           build and stop
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
dir="$root/build-asan"
compiler="${MIROVAAN_SANITIZE_CXX:-g++}"
command -v "$compiler" >/dev/null || compiler=clang++
cc="gcc"
[ "$compiler" = clang++ ] && cc=clang

CC="$cc" CXX="$compiler" cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g" -DCMAKE_C_FLAGS_RELWITHDEBINFO="-O1 -g" \
  -DMIROVAAN_SANITIZE=ON -DMIROVAAN_BUILD_QT=OFF -DMIROVAAN_BUILD_BENCH=OFF >/dev/null
cmake --build "$dir" -j "$(nproc)"
[ "${1:-}" = --build-only ] && exit 0

# Any report ends the program that made it. Leaks are looked for at every exit: what the
# libraries keep until then on purpose is named in lsan.supp, so a leak of our own fails.
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export LSAN_OPTIONS="suppressions=$root/scripts/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export QT_QPA_PLATFORM=offscreen
(cd "$dir" && ctest --output-on-failure -j "$(nproc)" --timeout 900)

seconds="${MIROVAAN_SOAK_SECONDS:-60}"
seed="${MIROVAAN_SOAK_SEED:-$(( $(date +%s) % 1000000 ))}"
echo "soak for $seconds s from seed $seed (repeat with MIROVAAN_SOAK_SEED=$seed)"
"$dir/mirovaan-soak" --data "$dir/data" --seconds "$seconds" --seed "$seed"
