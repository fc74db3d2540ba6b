#!/usr/bin/env bash
# Plays whole games by script, from the title to the end of the ending, two games at a time,
# and prints the milestone table. Reports (JSON), each game's output and its replay go to
# build/autoplay/. Usage:
#   scripts/autoplay-all.sh [--heroes LIST] [SEED...]
# LIST is heroes 0 to 3 split by commas (default 0,1,2,3); SEED one seed or a range FROM-TO
# (default seeds: 1 2). Every hero listed plays every seed listed.
# MIROVAAN_AUTOPLAY_TICKS sets the tick limit of a game (default 2000000); MIROVAAN_AUTOPLAY_OUT
# the folder for the reports (default build/autoplay). The runner is copied there first, so a
# build made while the games play does not change the player half way. Fails when a game does
# not reach the ending.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
heroes=(0 1 2 3)
seeds=()
while [ $# -gt 0 ]; do
  case "$1" in
    --heroes)
      [ $# -ge 2 ] || { echo "autoplay-all: --heroes needs a list such as 0,2" >&2; exit 2; }
      IFS=, read -r -a heroes <<<"$2"
      shift 2 ;;
    --heroes=*)
      IFS=, read -r -a heroes <<<"${1#--heroes=}"
      shift ;;
    [0-9]*-[0-9]*)
      for ((s = ${1%-*}; s <= ${1#*-}; ++s)); do seeds+=("$s"); done
      shift ;;
    [0-9]*)
      seeds+=("$1")
      shift ;;
    *)
      echo "autoplay-all: unknown argument '$1' (usage: autoplay-all.sh [--heroes 0,1,2,3] [SEED|FROM-TO]...)" >&2
      exit 2 ;;
  esac
done
for hero in "${heroes[@]}"; do
  case "$hero" in
    [0-3]) ;;
    *) echo "autoplay-all: a hero is 0, 1, 2 or 3, not '$hero'" >&2; exit 2 ;;
  esac
done
[ ${#seeds[@]} -gt 0 ] || seeds=(1 2)
[ ${#heroes[@]} -gt 0 ] || { echo "autoplay-all: no hero listed" >&2; exit 2; }
limit="${MIROVAAN_AUTOPLAY_TICKS:-2000000}"

"$root/scripts/build.sh" mirovaan-sim >/dev/null
out="${MIROVAAN_AUTOPLAY_OUT:-$root/build/autoplay}"
mkdir -p "$out"
sim="$out/mirovaan-sim"
cp "$root/build/mirovaan-sim" "$sim.new" && mv "$sim.new" "$sim"

run() {
  (
    status=0
    "$sim" --data "$root/build/data" --autoplay "$1" --seed "$2" \
      --ticks "$limit" --report "$out/hero$1-seed$2.json" --record "$out/hero$1-seed$2.mvr" \
      >"$out/hero$1-seed$2.txt" 2>&1 || status=$?
    # The processor time the game took (user and system; the second line, the children's),
    # which the load of the machine does not stretch as it does the wall time. Not through
    # a pipe: that would be another shell, with no children of its own.
    times >"$out/hero$1-seed$2.cpu"
    exit "$status"
  )
}

# "0m12.340s" as seconds.
seconds() { awk -v t="$1" 'BEGIN { split(t, p, "m"); sub("s", "", p[2]); printf "%.1f", p[1] * 60 + p[2] }'; }

pids=()
for seed in "${seeds[@]}"; do
  for hero in "${heroes[@]}"; do
    rm -f "$out/hero$hero-seed$seed.txt" "$out/hero$hero-seed$seed.cpu"
    run "$hero" "$seed" &
    pids+=($!)
    if [ ${#pids[@]} -ge 2 ]; then
      # Whichever game ends first frees its core for the next.
      wait -n "${pids[@]}" || true
      alive=()
      for pid in "${pids[@]}"; do kill -0 "$pid" 2>/dev/null && alive+=("$pid"); done
      pids=("${alive[@]}")
    fi
  done
done
for pid in "${pids[@]}"; do wait "$pid" || true; done

echo "| hero | seed | ending tick | game time | wall time | deaths | level | bosses fell at tick |"
echo "|---|---|---|---|---|---|---|---|"
missed=0
for hero in "${heroes[@]}"; do
  for seed in "${seeds[@]}"; do
    row="$(grep '^autoplay: row ' "$out/hero$hero-seed$seed.txt" 2>/dev/null | sed 's/^autoplay: row //' || true)"
    [ -n "$row" ] || row="| $hero | $seed | not reached (the game did not finish; see $out/hero$hero-seed$seed.txt) | | | | | |"
    echo "$row"
    case "$row" in *"not reached"*) missed=1 ;; esac
  done
done
slowest="" most=0
for hero in "${heroes[@]}"; do
  for seed in "${seeds[@]}"; do
    [ -s "$out/hero$hero-seed$seed.cpu" ] || continue
    { read -r _ _; read -r user sys; } <"$out/hero$hero-seed$seed.cpu"
    cpu="$(awk -v u="$(seconds "$user")" -v s="$(seconds "$sys")" 'BEGIN { printf "%.1f", u + s }')"
    if awk -v a="$cpu" -v b="$most" 'BEGIN { exit !(a > b) }'; then most="$cpu" slowest="hero $hero, seed $seed"; fi
  done
done
[ -z "$slowest" ] || echo "The slowest game ($slowest) took $most s of processor time (user and system)."
exit "$missed"
