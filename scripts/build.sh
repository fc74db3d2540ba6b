#!/usr/bin/env bash
# Configures and builds into build/: every target, or only those named (e.g. mirovaan).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/setup.sh"
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
if [ $# -gt 0 ]; then
  cmake --build "$root/build" -j "$(nproc)" --target "$@"
else
  cmake --build "$root/build" -j "$(nproc)"
fi
