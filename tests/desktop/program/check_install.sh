#!/usr/bin/env bash
# Installs the build into a scratch folder and checks what the desktop reads from it: the
# launcher, the AppStream data, the icons in every theme size, the man page and the manual.
# Usage: check_install.sh BUILD_DIR PREFIX
set -euo pipefail
build="$1"
prefix="$2"
dest="$(mktemp -d)"
trap 'rm -rf "$dest"' EXIT
fail() { echo "check_install: $*" >&2; exit 1; }

DESTDIR="$dest" cmake --install "$build" >/dev/null
root="$dest$prefix"
share="$root/share"

desktop-file-validate "$share/applications/mirovaan.desktop" || fail "desktop entry rejected"
grep -qx 'StartupWMClass=mirovaan' "$share/applications/mirovaan.desktop" || fail "no StartupWMClass"
grep -q '^Exec=mirovaan %f$' "$share/applications/mirovaan.desktop" || fail "Exec does not pass a file"
appstreamcli validate --no-net "$share"/metainfo/*.metainfo.xml || fail "AppStream data rejected"

for size in 16 24 32 48 64 128 256; do
  icon="$share/icons/hicolor/${size}x${size}/apps/mirovaan.png"
  [ -f "$icon" ] || fail "no ${size}x${size} icon"
  got="$(identify -format '%wx%h' "$icon")"
  [ "$got" = "${size}x${size}" ] || fail "the ${size} icon is $got"
done
# The large icons are the 32-pixel picture scaled by whole factors: every block is one colour.
big="$share/icons/hicolor/256x256/apps/mirovaan.png"
small="$share/icons/hicolor/32x32/apps/mirovaan.png"
[ "$(convert "$big" -depth 8 rgb:- | wc -c)" -eq $((256 * 256 * 3)) ] || fail "cannot read the icons"
[ "$(convert "$big" -sample 32x32 -depth 8 rgb:- | md5sum)" = \
  "$(convert "$small" -depth 8 rgb:- | md5sum)" ] || fail "the 256 icon is not the 32 one scaled"
[ "$(convert "$big" -sample 32x32 -scale 256x256 -depth 8 rgb:- | md5sum)" = \
  "$(convert "$big" -depth 8 rgb:- | md5sum)" ] || fail "the 256 icon is not made of whole blocks"

man -l "$share/man/man6/mirovaan.6" 2>/dev/null | grep -q -- '--data' || fail "man page unreadable"
grep -q 'lang="ja"' "$share/doc/mirovaan/index.html" || fail "no Japanese manual"
grep -q 'lang="en"' "$share/doc/mirovaan/en/index.html" || fail "no English manual"
man -l "$share/man/ja/man6/mirovaan.6" 2>/dev/null | grep -q -- '--language' || fail "no Japanese man page"
[ -x "$root/bin/mirovaan" ] || fail "no program"
[ -f "$share/mirovaan/title.bmp" ] || fail "no content"
if [ -e "$root/bin/mirovaan-sim" ] && ! grep -q 'MIROVAAN_INSTALL_SIM:BOOL=ON' "$build/CMakeCache.txt"; then
  fail "the headless runner is installed without being asked for"
fi
echo "installed tree passes"
