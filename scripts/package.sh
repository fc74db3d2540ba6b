#!/usr/bin/env bash
# Builds the Debian packages mirovaan and mirovaan-tools into dist/, offline, from the files
# of this checkout (committed or not; ignored ones left out). Two builds of the same commit
# give the same bytes: every time stamp is the last commit's (SOURCE_DATE_EPOCH).
# Usage: package.sh            (prints the paths of the .deb files it made)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/setup.sh"

version="$(sed -n 's/^project(Mirovaan VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")"
debian_version="$(dpkg-parsechangelog -l "$root/debian/changelog" -S Version)"
[ "${debian_version%-*}" = "$version" ] || {
  echo "package: debian/changelog is at $debian_version, the game at $version" >&2
  exit 1
}

# Set already (as reproducible-builds checkers do), it is kept.
SOURCE_DATE_EPOCH="${SOURCE_DATE_EPOCH:-$(git -C "$root" log -1 --format=%ct 2>/dev/null || dpkg-parsechangelog -l "$root/debian/changelog" -S Timestamp)}"
export SOURCE_DATE_EPOCH

# One fixed place for every checkout, outside it (dpkg-buildpackage puts the packages beside
# the tree): the compiler sees the same paths each time, so its cache finds the objects of an
# earlier build, from this checkout or another. One build at a time holds it.
work="${TMPDIR:-/tmp}/mirovaan-package"
tree="$work/mirovaan-$version"
mkdir -p "$work"
exec 9>"$work.lock"
flock 9
rm -rf "$tree" "$work"/*.deb "$work"/*.changes "$work"/*.buildinfo
mkdir -p "$tree"
(cd "$root" && git ls-files -z --cached --others --exclude-standard |
   xargs -0 -r sh -c 'for f; do [ -e "$f" ] && printf "%s\0" "$f"; done' sh |
   tar --null -T - -cf -) | tar -xf - -C "$tree"

export DEB_BUILD_OPTIONS="${DEB_BUILD_OPTIONS:-parallel=$(nproc) noddebs}"
# debhelper gives the build a home of its own, where the compiler cache would start empty
# every time: name the machine's cache and its settings outright.
if command -v ccache >/dev/null; then
  CCACHE_DIR="$(ccache -k cache_dir)"
  CCACHE_MAXSIZE="$(ccache -k max_size)"
  export CCACHE_DIR CCACHE_MAXSIZE CCACHE_BASEDIR="$work" CCACHE_NOHASHDIR=1
fi
export LC_ALL=C.UTF-8 TZ=UTC
(cd "$tree" && dpkg-buildpackage -b --no-sign -us -uc) >"$work/build.log" 2>&1 || {
  tail -n 40 "$work/build.log" >&2
  echo "package: the build failed; the whole log is $work/build.log" >&2
  exit 1
}

mkdir -p "$root/dist"
arch="$(dpkg --print-architecture)"
for f in "$work"/*_"$version"-*; do
  mv -f "$f" "$root/dist/"
done
rm -rf "$tree"
ls "$root/dist/"mirovaan*_"$debian_version"_"$arch".deb
