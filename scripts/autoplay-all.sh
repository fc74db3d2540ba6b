#!/usr/bin/env bash
# Plays the whole game by script, from the title to the end of the ending, with each of the
# four heroes and two seeds, two games at a time, and prints the milestone table. Reports
# (JSON), each game's output and its replay go to build/autoplay/. Usage:
#   scripts/autoplay-all.sh [SEED...]        (default seeds: 1 2)
# MIROVAAN_AUTOPLAY_TICKS sets the tick limit of a game (default 2000000). Fails when a game
# does not reach the ending.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/build.sh" mirovaan-sim >/dev/null
out="$root/build/autoplay"
mkdir -p "$out"
seeds=("$@")
[ ${#seeds[@]} -gt 0 ] || seeds=(1 2)
limit="${MIROVAAN_AUTOPLAY_TICKS:-2000000}"

run() {
  "$root/build/mirovaan-sim" --data "$root/build/data" --autoplay "$1" --seed "$2" \
    --ticks "$limit" --report "$out/hero$1-seed$2.json" --record "$out/hero$1-seed$2.mvr" \
    >"$out/hero$1-seed$2.txt" 2>&1
}

pids=()
for seed in "${seeds[@]}"; do
  for hero in 0 1 2 3; do
    run "$hero" "$seed" &
    pids+=($!)
    if [ ${#pids[@]} -ge 2 ]; then wait "${pids[0]}"; pids=("${pids[@]:1}"); fi
  done
done
wait

echo "| hero | seed | ending tick | game time | wall time | deaths | level | bosses fell at tick |"
echo "|---|---|---|---|---|---|---|---|"
missed=0
for seed in "${seeds[@]}"; do
  for hero in 0 1 2 3; do
    row="$(grep '^autoplay: row ' "$out/hero$hero-seed$seed.txt" | sed 's/^autoplay: row //')"
    echo "$row"
    case "$row" in *"not reached"*|"") missed=1 ;; esac
  done
done
exit "$missed"
