#!/usr/bin/env bash
# The long soak: the sanitizer build of scripts/sanitize.sh plays for an hour by default,
# one seed after another, each for ten minutes. Stops at the first finding.
#   ./scripts/soak.sh [TOTAL_SECONDS] [FIRST_SEED]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
total="${1:-3600}"
seed="${2:-$(( $(date +%s) % 1000000 ))}"
"$root/scripts/sanitize.sh" --build-only >/dev/null
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export LSAN_OPTIONS="suppressions=$root/scripts/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
while [ "$total" -gt 0 ]; do
  part=$(( total < 600 ? total : 600 ))
  echo "soak: seed $seed for $part s"
  "$root/build-asan/mirovaan-soak" --data "$root/build-asan/data" --seconds "$part" --seed "$seed"
  total=$(( total - part ))
  seed=$(( seed + 1 ))
done
