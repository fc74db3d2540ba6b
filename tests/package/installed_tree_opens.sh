#!/usr/bin/env bash
# Installs the build into a scratch folder and plays it from there (play_installed.sh): found
# through PATH and XDG_DATA_DIRS as a session finds an installed program, with the file types
# of the scratch tree registered as the system's triggers would register them.
# Usage: installed_tree_opens.sh BUILD_DIR PREFIX
set -euo pipefail
build="$1"
prefix="$2"
here="$(cd "$(dirname "$0")" && pwd)"
source="$(cd "$here/../.." && pwd)"
dest="$(mktemp -d)"
trap 'rm -rf "$dest"' EXIT

DESTDIR="$dest" cmake --install "$build" >/dev/null
root="$dest$prefix"
bindir="$(sed -n 's/^CMAKE_INSTALL_BINDIR:[A-Z]*=//p' "$build/CMakeCache.txt")"
contentdir="$(sed -n 's/^MIROVAAN_INSTALL_CONTENTDIR:[A-Z]*=//p' "$build/CMakeCache.txt")"
export PATH="$root/${bindir:-bin}:$PATH"
export XDG_DATA_DIRS="$root/share:${XDG_DATA_DIRS:-/usr/local/share:/usr/share}"
update-mime-database "$root/share/mime"
update-desktop-database "$root/share/applications"
exec "$source/scripts/with-desktop.sh" "$here/play_installed.sh" "$root/${bindir:-bin}/mirovaan" \
  "$root/${contentdir:-share/mirovaan}" "$source"
