#!/usr/bin/env bash
# Times the game's start (until the window shows the title) and its exit (from the window
# manager's close to the process's end) on a private X display, several runs each from a
# fresh home, and prints every run and the medians. Usage: measure-start.sh [RUNS]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
runs="${1:-9}"
"$root/scripts/build.sh" mirovaan window_probe >/dev/null
inner="$(mktemp)"
trap 'rm -f "$inner"' EXIT
cat >"$inner" <<INNER
set -eu
for i in \$(seq $runs); do
  home="\$(mktemp -d)"
  HOME="\$home" XDG_CONFIG_HOME="\$home/config" XDG_DATA_HOME="\$home/data" \
    "$root/build/window_probe" mirovaan --close -- "$root/build/mirovaan" 2>/dev/null | tr '\n' ' '
  echo
  rm -rf "\$home"
done
INNER
out="$("$root/scripts/with-desktop.sh" bash "$inner")"
echo "$out"
median() { sort -n | awk '{v[NR]=$1} END {print v[int((NR+1)/2)]}'; }
echo "median of $runs runs: shown $(echo "$out" | awk '{print $2}' | median) ms," \
     "exit $(echo "$out" | awk '{print $4}' | median) ms"
