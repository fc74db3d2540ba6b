#!/usr/bin/env bash
# The layer check must keep failing on what it exists to catch: an include that points up the
# stack, from a top folder and from a folder inside the desktop program, and a folder it
# does not rank. Each case plants one line in a copy of src/.
set -euo pipefail
root="$1"
check="$root/scripts/check-layers.sh"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

expect_refusal() {
  local what="$1" file="$2" line="$3"
  rm -rf "$work/tree" && mkdir -p "$work/tree" && cp -r "$root/src" "$work/tree/src"
  mkdir -p "$(dirname "$work/tree/src/$file")"
  echo "$line" >> "$work/tree/src/$file"
  if "$check" "$work/tree" >"$work/out" 2>&1; then
    echo "check-layers passed a tree with $what"; exit 1
  fi
}

"$check" "$root" >/dev/null
expect_refusal "screens including combat" screens/menu.cpp '#include "combat/shots.h"'
expect_refusal "state including the desktop" state/window_model.cpp '#include "desktop/main_window.h"'
expect_refusal "the preferences including the window" desktop/prefs/sound_page.cpp '#include "desktop/main_window.h"'
expect_refusal "an unranked folder" extra/thing.cpp '#include "base/little_endian.h"'
echo "check-layers refuses every planted upward include"
