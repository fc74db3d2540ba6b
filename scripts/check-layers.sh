#!/usr/bin/env bash
# Fails when a folder of src/ includes a header of a folder above it in the stack. The order
# below is the one the top CMakeLists.txt declares the libraries in, one library per folder:
# a file may include headers of its own folder and of any folder listed before it.
set -euo pipefail
root="${1:-$(cd "$(dirname "$0")/.." && pwd)}"

layers=(base platform gfx headless state content start audio screens modes combat world persist
        game shell replay desktop/platform desktop/input desktop/prefs desktop)

rank_of() {
  local dir="$1" i
  for i in "${!layers[@]}"; do
    if [ "${layers[$i]}" = "$dir" ]; then echo "$i"; return; fi
  done
  echo -1
}

status=0
cd "$root/src"
while IFS= read -r file; do
  from="$(dirname "$file")"
  from_rank="$(rank_of "$from")"
  if [ "$from_rank" -lt 0 ]; then
    echo "check-layers: $file is in no layer (add its folder to scripts/check-layers.sh)"
    status=1
    continue
  fi
  while IFS= read -r included; do
    [ -e "$included" ] || continue  # a system header or one beside the file
    to="$(dirname "$included")"
    to_rank="$(rank_of "$to")"
    if [ "$to_rank" -lt 0 ] || [ "$to_rank" -gt "$from_rank" ]; then
      echo "check-layers: $file ($from) includes $included ($to), a layer above it"
      status=1
    fi
  done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$file")
done < <(find . -name '*.cpp' -o -name '*.h' | sed 's#^\./##' | sort)

[ "$status" -eq 0 ] && echo "check-layers: every include points down the stack"
exit "$status"
