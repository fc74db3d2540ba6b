#!/usr/bin/env bash
# Builds the game and starts it.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/build.sh" mirovaan
exec "$root/build/mirovaan" "$@"
