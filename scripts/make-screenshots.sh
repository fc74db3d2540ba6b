#!/usr/bin/env bash
# Remakes the screenshots of the README and the AppStream metadata, in Japanese and English,
# with the headless runner from replays: the title, its story and the hero selection from
# doc/screenshots/title.keys (recorded into a replay first), play and the menu pages from the
# replay corpus's menu-actions.mvr. A replay plays in whichever language it is watched in, so
# both sets show exactly the same moments. Writes doc/screenshots/<screen>-<ja|en>.png.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
sim="$root/build/mirovaan-sim"
data="$root/build/data"
out="$root/doc/screenshots"
"$root/scripts/build.sh" mirovaan-sim content >/dev/null

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
"$sim" --data "$data" --keys "$out/title.keys" --ticks 906 --record "$work/title.mvr" >/dev/null

for language in ja en; do
  "$sim" --data "$data" --language "$language" --play "$work/title.mvr" \
    --shot "2:$out/title-$language.png" \
    --shot "850:$out/story-$language.png" \
    --shot "905:$out/selection-$language.png" >/dev/null
  "$sim" --data "$data" --language "$language" --play "$root/tests/replay/corpus/menu-actions.mvr" \
    --shot "60:$out/play-$language.png" \
    --shot "81:$out/item-$language.png" \
    --shot "86:$out/equipment-$language.png" >/dev/null
done
ls "$out"/*.png
