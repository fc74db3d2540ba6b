#!/usr/bin/env bash
# Runs a command on a private X display with a small window manager (openbox), so focus,
# dialogs and fullscreen behave as on a desktop. The display is chosen free at start;
# SCREEN (default 1920x1080x24) sets its size; a Wayland session's variables are cleared.
# Usage: with-desktop.sh COMMAND [ARGS...]
set -euo pipefail
screen="${SCREEN:-1920x1080x24}"
tmp="$(mktemp -d)"
cleanup() {
  [ -n "${wm:-}" ] && kill "$wm" 2>/dev/null || true
  [ -n "${xvfb:-}" ] && kill "$xvfb" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$tmp"
}
trap cleanup EXIT
Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp -noreset 3>"$tmp/display" &
xvfb=$!
for _ in $(seq 100); do [ -s "$tmp/display" ] && break; sleep 0.05; done
[ -s "$tmp/display" ] || { echo "with-desktop: Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$tmp/display")"
# Only the private display: with a Wayland compositor's variables left in place, Qt, GTK or
# SDL would open the test's windows on the developer's own desktop instead.
unset QT_QPA_PLATFORM WAYLAND_DISPLAY WAYLAND_SOCKET GDK_BACKEND SDL_VIDEODRIVER
export XDG_SESSION_TYPE=x11
if command -v openbox >/dev/null; then
  openbox --sm-disable >"$tmp/openbox.log" 2>&1 &
  wm=$!
  # Wait until the window manager owns the screen, so the first window is managed.
  for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
    sleep 0.05
  done
fi
"$@"
