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

# A fixed place inside the checkout: the compiler cache finds its objects again, and the
# packages do not land beside the checkout, where dpkg-buildpackage would put them.
work="$root/build-deb"
tree="$work/mirovaan-$version"
rm -rf "$work"
mkdir -p "$tree"
(cd "$root" && git ls-files -z --cached --others --exclude-standard |
   xargs -0 -r sh -c 'for f; do [ -e "$f" ] && printf "%s\0" "$f"; done' sh |
   tar --null -T - -cf -) | tar -xf - -C "$tree"

export DEB_BUILD_OPTIONS="${DEB_BUILD_OPTIONS:-parallel=$(nproc) noddebs}"
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
