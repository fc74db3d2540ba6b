#!/usr/bin/env bash
# The program on a Wayland compositor, natively (scripts/with-wayland.sh): it starts to the
# title under the desktop entry's app_id, a key reaches the game, F11 fills the screen with
# the picture at a whole factor, the program closes from the keyboard, and a run ended in full
# screen leaves the next `--window` run a window. Keys go through wtype, pictures through grim.
# Usage: wayland_test.sh PROGRAM CONTENT_DIR
set -euo pipefail
program="$1"
content="$2"
fail() { echo "wayland_test: $*" >&2; exit 1; }
home="$(mktemp -d)"
cleanup() {
  [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null
  [ -n "${keyboard:-}" ] && kill "$keyboard" 2>/dev/null
  rm -rf "$home"
}
trap cleanup EXIT
export HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" XDG_CACHE_HOME="$home/cache"
# The headless compositor has no keyboard but wtype's, gone after each key: the seat losing
# its last keyboard reads to Qt as the window losing the focus. One that stays, as a real
# keyboard does, keeps the seat's keyboard while the keys come and go.
wtype -s 3600000 -k F13 &
keyboard=$!

# The game's window in the compositor's tree: "app_id fullscreen x y width height", or nothing.
window() {
  swaymsg -t get_tree -r | python3 -c '
import json, sys
def walk(n):
    if n.get("app_id") is not None or n.get("window_properties"):
        r = n["rect"]
        print(n.get("app_id"), n["fullscreen_mode"], r["x"], r["y"], r["width"], r["height"])
    for c in n.get("nodes", []) + n.get("floating_nodes", []):
        walk(c)
walk(json.load(sys.stdin))'
}

wait_until() {  # wait_until SECONDS COMMAND...: until the command succeeds
  local end=$((SECONDS + $1)); shift
  until "$@"; do
    [ "$SECONDS" -lt "$end" ] || return 1
    sleep 0.1
  done
}

# How many of the view's pixels (the window's lowest 216 rows) equal the picture's, in percent.
likeness() {
  read -r _ _ x y w h <<<"$(window)"
  grim -g "$x,$y ${w}x${h}" "$home/shot.png" 2>/dev/null || { echo 0; return; }
  convert "$home/shot.png" -gravity SouthWest -crop 312x216+0+0 +repage "$home/view.png"
  differ="$(compare -metric AE "$home/view.png" "$content/$1" null: 2>&1 || true)"
  echo $(( (312 * 216 - ${differ%%.*}) * 100 / (312 * 216) ))
}
looks_like() { [ "$(likeness "$1")" -ge 60 ]; }
looks_unlike() { [ "$(likeness "$1")" -lt 90 ]; }
# A new virtual keyboard's keymap takes a moment to reach the program: its first key waits.
key() { wtype -s 300 "$@"; }
shown() { [ -n "$(window)" ]; }
question_shown() { [ "$(window | wc -l)" -ge 2 ]; }
full_screen() { [ "$(window | cut -d' ' -f2)" = 1 ]; }
windowed() { [ "$(window | cut -d' ' -f2)" = 0 ]; }
started() { "$program" --data "$content" "$@" >"$home/out.log" 2>&1 & pid=$!; wait_until 60 shown; }
ended() {
  for _ in $(seq 300); do
    kill -0 "$pid" 2>/dev/null || { wait "$pid"; status=$?; pid=""; return "$status"; }
    sleep 0.1
  done
  return 1
}

started --window || fail "no window: $(cat "$home/out.log")"
[ "$(window | cut -d' ' -f1)" = mirovaan ] || fail "app_id is not the desktop entry's: $(window)"
wait_until 30 looks_like title.bmp || fail "the title does not show ($(likeness title.bmp)% alike)"

# Any key on the title leads to the heroes, drawn over a part of it.
key -k space
wait_until 20 looks_unlike title.bmp || fail "a key did not reach the game ($(likeness title.bmp)% like the title)"

# F11: the whole output, the picture scaled by the largest whole factor and centred.
key -k F11
wait_until 20 full_screen || fail "F11 did not fill the screen: $(window)"
read -r _ _ _ _ sw sh <<<"$(window)"
factor=$(( sw / 312 < sh / 216 ? sw / 312 : sh / 216 ))
pw=$((312 * factor)) ph=$((216 * factor))
square() {
  grim "$home/full.png" 2>/dev/null || return 1
  convert "$home/full.png" -crop "${pw}x${ph}+$(( (sw - pw) / 2 ))+$(( (sh - ph) / 2 ))" +repage \
    "$home/picture.png"
  # Every block of factor x factor pixels is one colour, and the picture is no black screen.
  [ "$(convert "$home/picture.png" -sample 312x216 -scale "${pw}x${ph}" -depth 8 rgb:- | md5sum)" = \
    "$(convert "$home/picture.png" -depth 8 rgb:- | md5sum)" ] &&
    [ "$(convert "$home/picture.png" -format '%[fx:mean>0.02]' info:)" = 1 ]
}
wait_until 20 square || fail "the full-screen picture is not whole blocks of $factor"

# Ended in full screen from the keyboard: File, Exit and "はい". Sway leaves the keyboard with
# the full-screen window when the question box opens over it: the box is given it as a
# player's click would.
quit() {
  key -M ctrl -k q -m ctrl
  wait_until 20 question_shown || fail "Ctrl+Q asked nothing"
  swaymsg '[title="^ゲームの終了"] focus' >/dev/null
  key -k Return
}
quit
ended || fail "Ctrl+Q and Return did not end the program (status ${status:-none})"

# The next run asked for a window is one, and stays one.
started --window || fail "no window the second time"
sleep 2
windowed || fail "a run after full screen starts full screen: $(window)"
quit
ended || fail "the second run did not end"
echo "the game runs natively on Wayland"
