#!/usr/bin/env bash
# The Debian package as a player gets it: built by scripts/package.sh, checked by lintian,
# installed with apt, the installed game started from /usr/games/mirovaan to its title and
# handed a saved game and a replay through gio open, the runner run, then everything removed
# again, the machine's packages left exactly as they were. Needs root or sudo without a
# password; without either it says so and checks nothing. MIROVAAN_PACKAGE_TWICE=1 builds the
# package a second time and requires the same bytes; MIROVAAN_PACKAGE_BUILT=1 checks the
# packages already in dist/ instead of building them.
# Usage: check_package.sh
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
fail() { echo "check_package: $*" >&2; exit 1; }
now() { date +%s; }

sudo=""
if [ "$(id -u)" -ne 0 ]; then
  if sudo -n true 2>/dev/null; then sudo="sudo -n"; else
    echo "check_package: skipped (installing a package needs root or sudo without a password)"
    exit 0
  fi
fi
dpkg-query -W -f='${db:Status-Abbrev}' mirovaan 2>/dev/null | grep -q '^i' &&
  fail "a mirovaan package is installed already: this check would replace it"

tmp="$(mktemp -d)"
# The packages the machine has, installed or with their configuration left: name, version, state.
packages() {
  dpkg-query -W -f='${db:Status-Abbrev}|${Package}:${Architecture}|${Version}\n' |
    awk -F'|' '$1 !~ /^un/ { print $2, $3, $1 }' | sort
}
packages >"$tmp/before"
purge_added() {
  # Whatever this run installed goes again: the game and anything apt brought for it.
  added="$(packages | comm -13 "$tmp/before" - | cut -d' ' -f1)"
  # shellcheck disable=SC2086
  [ -z "$added" ] || $sudo env DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq $added >/dev/null
}
restore() {
  purge_added || true
  rm -rf "$tmp"
}
trap restore EXIT

start=$(now)
if [ "${MIROVAAN_PACKAGE_BUILT:-0}" = 1 ]; then
  # The packages scripts/package.sh has just made, checked without building them again.
  mapfile -t debs < <(ls "$root"/dist/mirovaan*_"$(dpkg-parsechangelog -l "$root/debian/changelog" \
    -S Version)"_"$(dpkg --print-architecture)".deb)
else
  mapfile -t debs < <("$root/scripts/package.sh")
fi
built=$(now)
[ ${#debs[@]} -eq 2 ] || fail "expected two packages, got: ${debs[*]}"
changes="$(ls "$root"/dist/mirovaan_*.changes)"
size() { stat -c %s "$1"; }
for deb in "${debs[@]}"; do
  echo "package: $(basename "$deb") $(size "$deb") bytes," \
    "installed $(dpkg-deb -f "$deb" Installed-Size) KiB"
done

if [ "${MIROVAAN_PACKAGE_TWICE:-0}" = 1 ]; then
  mkdir "$tmp/first"
  cp "${debs[@]}" "$tmp/first/"
  "$root/scripts/package.sh" >/dev/null
  for deb in "${debs[@]}"; do
    cmp -s "$deb" "$tmp/first/$(basename "$deb")" || fail "$(basename "$deb") differs between two builds"
  done
  echo "package: two builds gave the same bytes"
fi

# Every error and warning fails, but the one a first package always draws.
status=0
lintian --pedantic --fail-on error,warning --suppress-tags initial-upload-closes-no-bugs \
  "$changes" >"$tmp/lintian.log" 2>&1 || status=$?
grep -v '^running with root privileges' "$tmp/lintian.log" || true
[ "$status" -eq 0 ] || fail "lintian found faults"
linted=$(now)

$sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
  "${debs[@]}" >"$tmp/apt.log" 2>&1 || { cat "$tmp/apt.log" >&2; fail "the packages do not install"; }
[ -x /usr/games/mirovaan ] && [ -f /usr/share/games/mirovaan/title.bmp ] || fail "not installed in place"
# As a desktop session has it: the games' folder in PATH, the system's data folders.
PATH="/usr/games:$PATH" XDG_DATA_DIRS=/usr/local/share:/usr/share \
  "$root/scripts/with-desktop.sh" "$root/tests/package/play_installed.sh" /usr/games/mirovaan \
  /usr/share/games/mirovaan "$root"
/usr/games/mirovaan-sim --data /usr/share/games/mirovaan --ticks 20 --state "$tmp/state.json" \
  >/dev/null || fail "the installed runner fails"
grep -q '"GameMode":0,' "$tmp/state.json" || fail "the installed runner wrote no title state"

$sudo env DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq mirovaan-tools mirovaan >/dev/null
for left in /usr/games/mirovaan /usr/games/mirovaan-sim /usr/share/games/mirovaan \
            /usr/share/applications/mirovaan.desktop /usr/share/mime/packages/mirovaan.xml; do
  [ ! -e "$left" ] || fail "$left is left after removal"
done
grep -q x-mirovaan /usr/share/mime/globs2 && fail "the file types outlive the package"
purge_added
packages | diff "$tmp/before" - >&2 || fail "the machine's packages differ from before"
echo "package: build $((built - start)) s, lintian $((linted - built)) s," \
  "install, play and removal $(( $(now) - linted )) s"
