#!/usr/bin/env bash
# Plays the whole game by script, from the title to the end of the ending, with each of the
# four heroes and two seeds, two games at a time, and prints a table of the milestones.
# Reports (JSON) and the runs' output go to build/autoplay/. Usage:
#   scripts/autoplay-all.sh [SEED...]        (default seeds: 1 2)
# MIROVAAN_AUTOPLAY_TICKS sets the tick limit of a game (default 2000000).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/build.sh" mirovaan-sim >/dev/null
out="$root/build/autoplay"
mkdir -p "$out"
seeds=("$@")
[ ${#seeds[@]} -gt 0 ] || seeds=(1 2)
limit="${MIROVAAN_AUTOPLAY_TICKS:-2000000}"

run() {
  local hero=$1 seed=$2
  "$root/build/mirovaan-sim" --data "$root/build/data" --autoplay "$hero" --seed "$seed" \
    --ticks "$limit" --report "$out/hero$hero-seed$seed.json" >"$out/hero$hero-seed$seed.txt" 2>&1
}

jobs=()
for seed in "${seeds[@]}"; do
  for hero in 0 1 2 3; do
    run "$hero" "$seed" &
    jobs+=($!)
    if [ ${#jobs[@]} -ge 2 ]; then wait "${jobs[0]}"; jobs=("${jobs[@]:1}"); fi
  done
done
wait

python3 - "$out" "${seeds[@]}" <<'PY'
import json, sys
out, seeds = sys.argv[1], sys.argv[2:]
print("| hero | seed | ending tick | game time | wall s | deaths | level | bosses (tick/1000) |")
print("|---|---|---|---|---|---|---|---|")
failed = 0
for seed in seeds:
    for hero in range(4):
        r = json.load(open(f"{out}/hero{hero}-seed{seed}.json"))
        end = r["ending_tick"]
        failed += end is None
        last = r["levels"][-1]["level"] if r["levels"] else 1
        bosses = " ".join(f'{d}:{m["tick"] // 1000}' for d, m in sorted(r["bosses"].items()))
        game = f'{end / 20 / 60:.0f} min' if end else "-"
        print(f'| {hero} | {seed} | {end if end else "not reached"} | {game} | {r["wall_seconds"]:.0f} | '
              f'{len(r["deaths"])} | {last} | {bosses} |')
sys.exit(1 if failed else 0)
PY
