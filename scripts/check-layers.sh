#!/usr/bin/env bash
# Fails when a folder of src/ includes a header of a folder above it in the stack. The order
# below is the one the libraries link in (CMakeLists.txt) and the README draws: a folder may
# include its own headers and those of any folder listed before it.
set -euo pipefail
root="${1:-$(cd "$(dirname "$0")/.." && pwd)}"

layers=(base platform gfx platform/headless state content start audio screens combat world persist game shell replay
        platform/qt shell/qt)

rank_of() {
  local dir="$1" i
  for i in "${!layers[@]}"; do
    if [ "${layers[$i]}" = "$dir" ]; then echo "$i"; return; fi
  done
  echo -1
}

# The folder of a path under src/ that names a layer: the longest listed prefix.
layer_of() {
  local path="$1" best="" l
  for l in "${layers[@]}"; do
    case "$path" in "$l"/*) [ ${#l} -gt ${#best} ] && best="$l" ;; esac
  done
  echo "$best"
}

status=0
cd "$root/src"
while IFS= read -r file; do
  from="$(layer_of "$file")"
  if [ -z "$from" ]; then
    echo "check-layers: $file is in no layer (add its folder to scripts/check-layers.sh)"
    status=1
    continue
  fi
  from_rank="$(rank_of "$from")"
  while IFS= read -r included; do
    to="$(layer_of "$included")"
    [ -z "$to" ] && continue  # a system header or one beside the file
    to_rank="$(rank_of "$to")"
    if [ "$to_rank" -gt "$from_rank" ]; then
      echo "check-layers: $file ($from) includes $included ($to), a layer above it"
      status=1
    fi
  done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$file")
done < <(find . -name '*.cpp' -o -name '*.h' | sed 's#^\./##' | sort)

[ "$status" -eq 0 ] && echo "check-layers: every include points down the stack"
exit "$status"
