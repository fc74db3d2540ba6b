#!/usr/bin/env bash
# Builds everything and runs every test: the unit and scenario tests, the window tests on X
# and on Wayland, the Debian package installed and played, the same tests and a soak under
# the sanitizers, a short run of each fuzz target, and a headless end-to-end check of the
# runner.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/build.sh"

export QT_QPA_PLATFORM=offscreen
(cd "$root/build" && ctest --output-on-failure -j "$(nproc)" --timeout 600)

# The Debian package: built, checked by lintian, installed, played and removed again.
"$root/tests/package/check_package.sh"

# The unit tests and the soak under the address and undefined-behaviour sanitizers.
"$root/scripts/sanitize.sh"

# Every fuzz target, briefly, on its seed corpus (to a million inputs: scripts/fuzz-long.sh).
if command -v clang++ >/dev/null; then
  "$root/scripts/fuzz.sh" --seconds "${MIROVAAN_FUZZ_SECONDS:-10}"
fi
echo "all tests passed"
