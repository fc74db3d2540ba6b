#!/usr/bin/env bash
# The program on a Wayland compositor, natively (scripts/with-wayland.sh): it starts to the
# title under the desktop entry's app_id, it pauses while another window has the keyboard, a
# key reaches the game, F11 fills the screen with the picture at a whole factor, a pointer left
# resting there goes and comes back when moved, the program closes from the keyboard, and a run
# ended in full screen leaves the next `--window` run a window, with the view size chosen last;
# the compositor scales the full-screen picture to the very pixels the program would.
# Keys go through wtype, the pointer through a virtual one (virtual_pointer.py), pictures
# through grim.
# Usage: wayland_test.sh PROGRAM CONTENT_DIR
set -euo pipefail
program="$1"
content="$2"
fail() { echo "wayland_test: $*" >&2; exit 1; }
home="$(mktemp -d)"
cleanup() {
  [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null
  [ -n "${other:-}" ] && kill "$other" 2>/dev/null
  [ -n "${POINTER_PID:-}" ] && kill "$POINTER_PID" 2>/dev/null
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
# The headless compositor has no pointer either: a virtual one, there from the start as a
# mouse is.
here="$(cd "$(dirname "$0")" && pwd)"
read -r _ _ _ _ output_w output_h < <(swaymsg -t get_outputs -r | python3 -c '
import json, sys
r = json.load(sys.stdin)[0]["rect"]
print(0, 0, 0, 0, r["width"], r["height"])')
coproc POINTER { python3 "$here/virtual_pointer.py" "$output_w" "$output_h"; }
read -r said <&"${POINTER[0]}" && [ "$said" = ready ] || fail "no virtual pointer"
point_at() { echo "move $1 $2" >&"${POINTER[1]}"; read -r _ <&"${POINTER[0]}"; }

# The game's windows in the compositor's tree, the main one first: "app_id fullscreen x y width
# height" each. Only those of the game under test ($pid), not another program's.
window() {
  swaymsg -t get_tree -r | WATCHED="${pid:-}" python3 -c '
import json, os, sys
watched = os.environ["WATCHED"]
def walk(n):
    if (n.get("app_id") is not None or n.get("window_properties")) and str(n.get("pid")) == watched:
        r = n["rect"]
        print(n.get("app_id"), n["fullscreen_mode"], r["x"], r["y"], r["width"], r["height"])
    for c in n.get("nodes", []) + n.get("floating_nodes", []):
        walk(c)
walk(json.load(sys.stdin))'
}
# Whether a program's window shows: "shows PID".
shows() { swaymsg -t get_tree -r | grep -Eq "\"pid\": *$1[,}]"; }

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
# The band across the middle of the view, where the paused banner goes: how many of its pixels
# equal the picture's, in percent.
middle_likeness() {
  likeness "$1" >/dev/null
  convert "$home/view.png" -crop 312x24+0+96 +repage "$home/band.png"
  convert "$content/$1" -crop 312x24+0+96 +repage "$home/band-wanted.png"
  differ="$(compare -metric AE "$home/band.png" "$home/band-wanted.png" null: 2>&1 || true)"
  echo $(( (312 * 24 - ${differ%%.*}) * 100 / (312 * 24) ))
}
paused_banner() { [ "$(middle_likeness "$1")" -lt 70 ]; }
no_banner() { [ "$(middle_likeness "$1")" -ge 95 ]; }
# Whether the pointer shows at X Y, on the black beside the full-screen picture: the headless
# compositor draws the pointer into the screen itself, so any pixel there not black is its.
pointer_shows_at() {
  grim -g "$1,$2 48x48" "$home/pointer.png" || return 1
  [ "$(convert "$home/pointer.png" -format '%[fx:maxima.r+maxima.g+maxima.b>0]' info:)" = 1 ]
}
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
wait_until 10 no_banner title.bmp || fail "the middle of the title is not the title's"

# Another program's window takes the keyboard: the game pauses and says so, and goes on when
# it has the keyboard back.
HOME="$home/other" XDG_CONFIG_HOME="$home/other/config" "$program" --data "$content" --window \
  >"$home/other.log" 2>&1 &
other=$!
wait_until 60 shows "$other" ||
  fail "the other window does not show: $(cat "$home/other.log")"
swaymsg "[pid=$other] move position 0 0" >/dev/null
wait_until 20 paused_banner title.bmp || fail "no pause while another window has the keyboard"
swaymsg "[pid=$pid] focus" >/dev/null
wait_until 20 no_banner title.bmp || fail "the pause did not end with the keyboard back ($(middle_likeness title.bmp)% alike)"
kill "$other"; wait "$other" 2>/dev/null || true
gone() { ! shows "$other"; }
wait_until 20 gone || fail "the other window stays"
other=""

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

# A pointer left resting over the full screen goes after a moment, and comes back when moved.
# It rests on the black beside the picture, where nothing else on the screen changes.
point_at 20 $((sh / 2))
wait_until 5 pointer_shows_at 10 $((sh / 2 - 10)) || fail "no pointer where it was moved"
pointer_gone_at() { ! pointer_shows_at "$@"; }
wait_until 10 pointer_gone_at 10 $((sh / 2 - 10)) || fail "the resting pointer stays"
point_at 40 $((sh / 2))
wait_until 5 pointer_shows_at 30 $((sh / 2 - 10)) || fail "the moved pointer does not come back"

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

# A view size chosen from the menu (Ctrl+B: twice the picture) is the next run's. The run is
# ended as a session ending ends it: sway gives a floating window back the size it first gave
# it whenever the focus moves (to the exit question, say), so the question would undo it.
size() { window | head -n1 | cut -d' ' -f5-6; }
small="$(size)"
key -M ctrl -k b -m ctrl
grew() { [ "$(size)" != "$small" ]; }
wait_until 20 grew || fail "Ctrl+B did not resize the window: $(size)"
grown="$(size)"
kill -TERM "$pid"
ended || fail "the second run did not end when asked by the system (status ${status:-none})"
started --window || fail "no window the third time"
same_size() { [ "$(size)" = "$grown" ]; }
wait_until 20 same_size || fail "the view size is not remembered: $(size), not $grown"
quit
ended || fail "the third run did not end"

# The compositor scales the full-screen picture (a viewport on a subsurface, seen in the
# protocol log) and shows the very pixels the program's own scaling shows: the title, at each
# phase of its blinking line, scaled by the program, then through the compositor.
grab() {  # the picture's pixels on the screen, as a checksum
  grim "$home/full.png" 2>/dev/null || return 1
  convert "$home/full.png" -crop "${pw}x${ph}+$(( (sw - pw) / 2 ))+$(( (sh - ph) / 2 ))" \
    -depth 8 rgb:- | md5sum | cut -d' ' -f1
}
MIROVAAN_SOFTWARE_SCALING=1 started --fullscreen || fail "no window scaling by itself"
wait_until 20 full_screen || fail "--fullscreen did not fill the screen: $(window)"
# The title fades its line in and out: the pictures of a few seconds of it.
sleep 2
phases=""
for _ in $(seq 25); do
  shot="$(grab)" || continue
  case " $phases " in *" $shot "*) ;; *) phases="$phases $shot" ;; esac
  sleep 0.2
done
kill -TERM "$pid"
ended || fail "the run scaling by itself did not end"
WAYLAND_DEBUG=1 started --fullscreen || fail "no window the compositor scales"
wait_until 20 full_screen || fail "--fullscreen did not fill the screen: $(window)"
sleep 2
grep -Eq "wp_viewport@[0-9]+\.set_destination\($pw, $ph\)" "$home/out.log" ||
  fail "the compositor is not asked to scale the picture to ${pw}x${ph}"
same_as_program() { shot="$(grab)" && case " $phases " in *" $shot "*) true ;; *) false ;; esac; }
wait_until 10 same_as_program || fail "the compositor's picture differs from the program's"
kill -TERM "$pid"
ended || fail "the run the compositor scales did not end"
echo "the game runs natively on Wayland"
