#!/usr/bin/env bash
# Runs a command on a private headless Wayland compositor (sway with its headless backend), as
# a Wayland desktop session runs a program: the X variables are cleared, so nothing falls back
# to X. SCREEN (default 1280x720) sets the output's size. Sway refuses to run as root: run as
# root, the compositor runs as a system user made for this run and removed after it.
# Usage: with-wayland.sh COMMAND [ARGS...]   (the command sees WAYLAND_DISPLAY and SWAYSOCK)
set -euo pipefail
screen="${SCREEN:-1280x720}"
command -v sway >/dev/null || { echo "with-wayland: sway is not installed" >&2; exit 1; }
runtime="$(mktemp -d)"  # the compositor's
client="$(mktemp -d)"   # the command's own XDG_RUNTIME_DIR
chmod 700 "$runtime" "$client"
user=""
cleanup() {
  if [ -n "${sway:-}" ]; then
    # A compositor still starting up may not heed the first request.
    kill "$sway" 2>/dev/null || true
    for _ in $(seq 50); do kill -0 "$sway" 2>/dev/null || break; sleep 0.1; done
    kill -9 "$sway" 2>/dev/null || true
  fi
  wait 2>/dev/null || true
  [ -n "$user" ] && userdel "$user" 2>/dev/null || true
  rm -rf "$runtime" "$client"
}
trap cleanup EXIT
# Stopped by a signal (a test's time limit), the user and the compositor go all the same.
trap 'exit 143' TERM INT HUP

cat >"$runtime/config" <<CONFIG
output HEADLESS-1 resolution ${screen}
xwayland disable
default_border none
default_floating_border none
# As on a desktop, the game's window keeps its own size until it asks for the whole screen.
for_window [app_id=".*"] floating enable
CONFIG

as_compositor=()
if [ "$(id -u)" -eq 0 ]; then
  user="mirovaan-wl-$$"
  useradd --system --no-create-home --home-dir /nonexistent --shell /usr/sbin/nologin "$user"
  chown -R "$user" "$runtime"
  as_compositor=(setpriv --reuid="$user" --regid="$user" --clear-groups)
fi
(cd / && exec "${as_compositor[@]}" env -i PATH=/usr/bin:/bin HOME="$runtime" \
   XDG_RUNTIME_DIR="$runtime" WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 \
   WLR_RENDERER=pixman sway -c "$runtime/config") >"$client/sway.log" 2>&1 &
sway=$!
for _ in $(seq 200); do
  ls "$runtime"/sway-ipc.*.sock >/dev/null 2>&1 && [ -S "$runtime/wayland-1" ] && break
  kill -0 "$sway" 2>/dev/null || break
  sleep 0.05
done
[ -S "$runtime/wayland-1" ] || { cat "$client/sway.log" >&2; echo "with-wayland: sway did not start" >&2; exit 1; }

export WAYLAND_DISPLAY="$runtime/wayland-1"
SWAYSOCK="$(ls "$runtime"/sway-ipc.*.sock)"
export SWAYSOCK XDG_RUNTIME_DIR="$client" XDG_SESSION_TYPE=wayland QT_QPA_PLATFORM=wayland
unset DISPLAY XAUTHORITY WAYLAND_SOCKET GDK_BACKEND SDL_VIDEODRIVER
"$@"
