#!/usr/bin/env bash
# Records the replay corpus tests/replay/corpus/*.mvr afresh from its sources in
# tests/replay/corpus/sources (a key script per replay, with its seed, length and starting saved
# game in its first lines), and the scripted player's short games (autoplay-heroN: each hero
# from the title through the first dungeon's boss). Run it after a deliberate change of the rules, look at what it
# prints, and commit the new replays saying why they changed. Usage: record-replays.sh [NAME...]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$root/build}"
sources="$root/tests/replay/corpus/sources"
cmake --build "$build" --target mirovaan-sim >/dev/null
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT

header() { sed -n "s/^# $2 //p" "$1" | head -n1; }

record() {
  local keys="$sources/$1.keys" out="$root/tests/replay/corpus/$1.mvr"
  local seed ticks load args=()
  seed="$(header "$keys" seed)"
  ticks="$(header "$keys" ticks)"
  load="$(header "$keys" load)"
  [ -n "$load" ] && args+=(--load "$sources/$load")
  sed "s#SAVEDIR#$tmp#g" "$keys" >"$tmp/keys"
  "$build/mirovaan-sim" --data "$build/data" --seed "${seed:-1}" --ticks "${ticks:-1000}" \
    --keys "$tmp/keys" "${args[@]}" --record "$out" --state "$tmp/state.json" >/dev/null
  printf '%-16s %6s ticks  %6s bytes  ends in mode %s, dungeon %s floor %s, HP %s\n' "$1" \
    "$(sed -n 's/^end \([0-9]*\) .*/\1/p' "$out")" "$(wc -c <"$out")" \
    "$(grep -o '"GameMode":[0-9]*' "$tmp/state.json" | cut -d: -f2)" \
    "$(grep -o '"DungeonIndex":[0-9-]*' "$tmp/state.json" | cut -d: -f2)" \
    "$(grep -o '"FloorIndex":[0-9-]*' "$tmp/state.json" | cut -d: -f2)" \
    "$(grep -o '"HP":[0-9-]*' "$tmp/state.json" | head -n1 | cut -d: -f2)"
}

# A scripted player's game: the hero is the name's last digit.
record_autoplay() {
  local out="$root/tests/replay/corpus/$1.mvr"
  "$build/mirovaan-sim" --data "$build/data" --seed 1 --autoplay "${1: -1}" --until-boss 0 \
    --ticks 200000 --record "$out" >/dev/null
  printf '%-16s %6s ticks  %6s bytes  scripted player to the first boss\n' "$1" \
    "$(sed -n 's/^end \([0-9]*\) .*/\1/p' "$out")" "$(wc -c <"$out")"
}

one() {
  case "$1" in
    autoplay-hero[0-3]) record_autoplay "$1" ;;
    *) record "$1" ;;
  esac
}

if [ $# -gt 0 ]; then
  for name in "$@"; do one "$name"; done
else
  for keys in "$sources"/*.keys; do record "$(basename "$keys" .keys)"; done
  for hero in 0 1 2 3; do record_autoplay "autoplay-hero$hero"; done
fi
