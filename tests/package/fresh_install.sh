#!/usr/bin/env bash
# The package on a Debian 12 machine that has never seen this project: a minimal bookworm
# (debootstrap's minbase, the same archive as this machine's) gets the packages from dist/
# with `apt-get install ./...deb` as a player would type it, Recommends included. Then the
# installed program must find every library it links (ldd), and with only a display's tools
# added afterwards (Xvfb, openbox, xdotool, ImageMagick, gio) it must start to its title and
# open a saved game and a replay from the file manager, as the test command checks on this
# machine. Nothing of this machine's own installation reaches the new one but the display
# tools' packages it fetches itself.
# Needs root and the network to the Debian archive; takes some minutes, so it is not part of
# the test command. The first run keeps a tarball of the bare system in the cache folder, so
# later runs start from it.
# Usage: fresh_install.sh        (after scripts/package.sh)
#        MIROVAAN_FRESH_KEEP=1   keeps the system in $TMPDIR/mirovaan-fresh to look around
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
fail() { echo "fresh_install: $*" >&2; exit 1; }
[ "$(id -u)" -eq 0 ] || fail "needs root (debootstrap and chroot)"
command -v debootstrap >/dev/null || fail "needs debootstrap (apt-get install debootstrap)"

arch="$(dpkg --print-architecture)"
version="$(dpkg-parsechangelog -l "$root/debian/changelog" -S Version)"
debs=("$root/dist/mirovaan_${version}_$arch.deb" "$root/dist/mirovaan-tools_${version}_$arch.deb")
for deb in "${debs[@]}"; do [ -f "$deb" ] || fail "$deb is missing: run scripts/package.sh first"; done

# The archive this machine installs from, so the new system sees the same versions.
mirror="$(sed -n 's/^URIs: *\(http[^ ]*debian\)$/\1/p' /etc/apt/sources.list.d/debian.sources 2>/dev/null | head -n1)"
mirror="${mirror:-http://deb.debian.org/debian}"
cache="${XDG_CACHE_HOME:-$HOME/.cache}/mirovaan"
base="$cache/bookworm-minbase-$arch.tgz"
target="${TMPDIR:-/tmp}/mirovaan-fresh"

mounted=()
cleanup() {
  for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do umount -l "${mounted[i]}" 2>/dev/null || true; done
  [ "${MIROVAAN_FRESH_KEEP:-0}" = 1 ] || rm -rf "$target"
}
trap cleanup EXIT
rm -rf "$target"
mkdir -p "$target" "$cache"

start=$(date +%s)
if [ ! -s "$base" ]; then
  debootstrap --variant=minbase --make-tarball="$base.part" bookworm "$target/tarball-work" "$mirror" \
    >"$cache/debootstrap.log" 2>&1 || { tail -n 20 "$cache/debootstrap.log" >&2; fail "debootstrap could not fetch bookworm"; }
  mv "$base.part" "$base"
  rm -rf "$target/tarball-work"
fi
debootstrap --variant=minbase --unpack-tarball="$base" bookworm "$target" "$mirror" \
  >"$cache/debootstrap.log" 2>&1 || { tail -n 20 "$cache/debootstrap.log" >&2; fail "debootstrap failed"; }
# A fresh installation takes the updates and security fixes too.
if [ -f /etc/apt/sources.list.d/debian.sources ]; then
  cp /etc/apt/sources.list.d/debian.sources "$target/etc/apt/sources.list.d/"
  rm -f "$target/etc/apt/sources.list"
fi
for fs in proc sys dev dev/pts; do
  mount --bind "/$fs" "$target/$fs"
  mounted+=("$target/$fs")
done
cp /etc/resolv.conf "$target/etc/resolv.conf"
in_new() { chroot "$target" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 \
  DEBIAN_FRONTEND=noninteractive "$@"; }
bootstrapped=$(date +%s)

# 1. The package, as a player installs it.
mkdir -p "$target/root/dist"
cp "${debs[@]}" "$target/root/dist/"
in_new apt-get update -qq >/dev/null
in_new sh -c 'cd /root/dist && apt-get install -y -qq ./mirovaan_*.deb ./mirovaan-tools_*.deb' \
  >"$cache/fresh-apt.log" 2>&1 || { tail -n 30 "$cache/fresh-apt.log" >&2; fail "the packages do not install"; }
added="$(grep -c '^Setting up' "$cache/fresh-apt.log" || true)"
missing="$(in_new sh -c 'ldd /usr/games/mirovaan /usr/games/mirovaan-sim; \
  for p in /usr/lib/*/qt6/plugins/platforms/*.so; do ldd "$p"; done' | grep 'not found' || true)"
[ -z "$missing" ] || fail "libraries the package does not bring: $missing"
in_new /usr/games/mirovaan-sim --data /usr/share/games/mirovaan --ticks 20 --state /tmp/state.json \
  >/dev/null || fail "the installed runner fails"
grep -q '"GameMode":0,' "$target/tmp/state.json" || fail "the installed runner wrote no title state"
installed=$(date +%s)

# 2. A display and a file manager's opener to play it with: test tools, not the game's needs.
in_new apt-get install -y -qq --no-install-recommends xvfb xauth openbox xdotool imagemagick \
  libglib2.0-bin x11-utils >"$cache/fresh-tools.log" 2>&1 ||
  { tail -n 30 "$cache/fresh-tools.log" >&2; fail "the display tools do not install"; }
mkdir -p "$target/root/check/scripts" "$target/root/check/tests/package" \
  "$target/root/check/tests/replay/corpus/sources"
cp "$root/scripts/with-desktop.sh" "$target/root/check/scripts/"
cp "$root/tests/package/play_installed.sh" "$target/root/check/tests/package/"
cp "$root/tests/replay/corpus/sources/world-d0.sav" "$target/root/check/tests/replay/corpus/sources/"
cp "$root/tests/replay/corpus/hero0-dungeon0.mvr" "$target/root/check/tests/replay/corpus/"
in_new env PATH=/usr/games:/usr/sbin:/usr/bin:/sbin:/bin XDG_DATA_DIRS=/usr/local/share:/usr/share \
  /root/check/scripts/with-desktop.sh /root/check/tests/package/play_installed.sh \
  /usr/games/mirovaan /usr/share/games/mirovaan /root/check || fail "the installed game does not play"
echo "fresh_install: bookworm ready in $((bootstrapped - start)) s; the packages installed with" \
  "$added packages in $((installed - bootstrapped)) s; display check $(( $(date +%s) - installed )) s"
