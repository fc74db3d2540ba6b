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
"$root/scripts/with-desktop.sh" bash "$inner" | tee /dev/stderr |
  awk '{s[NR]=$2; e[NR]=$4} END {n=asort(s); asort(e); m=int((n+1)/2);
        printf "median of %d runs: shown %.1f ms, exit %.1f ms\n", n, s[m], e[m]}'
