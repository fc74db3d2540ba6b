#!/usr/bin/env bash
# Installs what the game needs to build, run and test on Debian 12, when it is missing.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev qt6-translations-l10n qt6-l10n-tools qt6-tools-dev
  zlib1g-dev libfreetype-dev libfontconfig-dev fonts-ipafont-mincho fonts-ipafont-gothic
  fonts-dejavu-core
  libfluidsynth-dev
  # Debian's General MIDI soundfonts: the tests level the music with each of them.
  timgm6mb-soundfont fluid-soundfont-gm musescore-general-soundfont-small fluidr3mono-gm-soundfont
  libsdl2-dev
  # On X the server scales the picture (the Render extension, through xcb).
  libxcb-render0-dev
  # On Wayland the compositor scales it (wp_viewporter, reached through Qt's native interface).
  libwayland-dev wayland-protocols qt6-base-private-dev
  libgtest-dev libbenchmark-dev
  xvfb xauth xdotool openbox x11-utils imagemagick libx11-dev
  desktop-file-utils appstream man-db
  # scripts/difficulty-plot.py draws the difficulty picture from the scripted games.
  python3-matplotlib
  clang libclang-rt-14-dev
  # The Debian package and its checks (scripts/package.sh, tests/package).
  debhelper dpkg-dev fakeroot lintian shared-mime-info
  # Native Wayland: Qt's platform plugin, and a headless compositor with keys and screenshots.
  qt6-wayland sway wtype grim
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
  if command -v sudo >/dev/null; then sudo="sudo"; else
    echo "setup: these packages are missing and this user cannot install them: ${missing[*]}" >&2
    exit 1
  fi
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq "${missing[@]}"
