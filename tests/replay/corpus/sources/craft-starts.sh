#!/usr/bin/env bash
# Writes the saved games some corpus replays start from. Each begins as a real save of a new
# game on the world map, made by the runner, and then has a few fields set: where the hero
# stands, which dungeon and floor, the hero's strength. Run it only when the save layout
# changes; the replays embed these starts, so re-recording does not need it.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="${1:-$here/../../../../build}"
sim="$build/mirovaan-sim"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT

# A new game of hero arrow ARROW (Down: 0, Left: 1, Right: 2, Up: 3), saved on the world map.
world_save() {
  printf '2 press VK_SPACE\n5 press %s\n8 press VK_SPACE\n10 menu save %s\n' "$1" "$2" >"$tmp/k"
  "$sim" --data "$build/data" --ticks 12 --keys "$tmp/k" >/dev/null
}

# put32 FILE OFFSET VALUE: a little-endian 32-bit field of the record.
put32() {
  local v=$(( $3 & 0xFFFFFFFF ))
  printf "$(printf '\\x%02x\\x%02x\\x%02x\\x%02x' $((v & 255)) $((v >> 8 & 255)) \
    $((v >> 16 & 255)) $((v >> 24 & 255)))" | dd of="$1" bs=1 seek="$2" conv=notrunc status=none
}

# field offsets of the record
HeroX=0 HeroY=4 Floor=8 WorldX=12 WorldY=16 Level=24 MaxHP=28 HP=32 Strength=36 Defence=40
Gold=48 Dungeon=64 Mode=68

# On the world map beside entrance D with gold enough to open every entrance.
for d in 0 1 2 3 4 5 6 7 8; do
  world_save VK_RIGHT "$here/world-d$d.sav"
  read -r x y <<<"$(echo "142 75 52 105 65 3 187 153 230 133 30 133 100 80 160 51 260 190" |
    cut -d' ' -f$((2 * d + 1))-$((2 * d + 2)))"
  put32 "$here/world-d$d.sav" $HeroX "$x"
  put32 "$here/world-d$d.sav" $HeroY "$y"
  put32 "$here/world-d$d.sav" $Gold 200000
  put32 "$here/world-d$d.sav" $Level 30
  put32 "$here/world-d$d.sav" $MaxHP 900
  put32 "$here/world-d$d.sav" $HP 900
  put32 "$here/world-d$d.sav" $Strength 300
  put32 "$here/world-d$d.sav" $Defence 200
done

# In dungeon D on floor F, one tile below the stair up at column C, row R.
stair_save() {
  local out="$here/$1"
  cp "$here/world-d$2.sav" "$out"
  put32 "$out" $Mode 1
  put32 "$out" $Dungeon "$2"
  put32 "$out" $Floor "$3"
  put32 "$out" $HeroX $(($4 * 24))
  put32 "$out" $HeroY $((($5 + 1) * 24))
  put32 "$out" $Strength 999
}
stair_save boss-d0.sav 0 5 30 49    # floor 6 holds the first boss
stair_save final-d8.sav 8 4 29 51   # floor 5 holds the final opponent

# A hero of one hit point at the entrance of the second dungeon.
cp "$here/world-d1.sav" "$here/frail-d1.sav"
put32 "$here/frail-d1.sav" $MaxHP 1
put32 "$here/frail-d1.sav" $HP 1
put32 "$here/frail-d1.sav" $Defence 0

# The ending under way: the final opponent has just fallen in the last dungeon.
cp "$here/final-d8.sav" "$here/ending.sav"
put32 "$here/ending.sav" $Mode 6

# Below the stair to the crowded last floor of the seventh dungeon (36 monsters and a boss).
stair_save crowd-d6.sav 6 8 30 52
