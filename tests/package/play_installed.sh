#!/usr/bin/env bash
# The installed game as a player meets it, on an X display (scripts/with-desktop.sh): started
# by the command of its menu entry it shows the title screen, and a saved game and a replay
# opened from a file manager (gio open) start it loaded with the one and playing the other.
# The program, its desktop entry and the file types are found through PATH and XDG_DATA_DIRS,
# as a desktop session finds them.
# Usage: play_installed.sh PROGRAM CONTENT_DIR SOURCE_DIR
set -euo pipefail
program="$1"
content="$2"
source="$3"
fail() { echo "play_installed: $*" >&2; exit 1; }

# A home of its own: no settings, saves or file associations of whoever runs the test.
home="$(mktemp -d)"
cleanup() {
  for pid in $(pgrep -u "$(id -u)" -x mirovaan || true); do
    [ "$(readlink -f "/proc/$pid/cwd" 2>/dev/null)" = "$(readlink -f "$home")" ] && kill "$pid" 2>/dev/null
  done
  rm -rf "$home"
}
trap cleanup EXIT
export HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" XDG_CACHE_HOME="$home/cache"
cd "$home"  # no content here: the program must find its installed one

# The game's window, once it shows (up to a minute on a busy machine).
game_window() {
  for _ in $(seq 600); do
    w="$(xdotool search --onlyvisible --class mirovaan 2>/dev/null | head -n1 || true)"
    [ -n "$w" ] && { echo "$w"; return 0; }
    sleep 0.1
  done
  return 1
}

# How many of the view's pixels (its lowest 216 rows) equal the content picture's, in percent.
likeness() {
  import -window "$1" "$home/shot.png" 2>/dev/null || { echo 0; return; }
  convert "$home/shot.png" -gravity SouthWest -crop 312x216+0+0 +repage "$home/view.png"
  differ="$(compare -metric AE "$home/view.png" "$content/$2" null: 2>&1 || true)"
  echo $(( (312 * 216 - ${differ%%.*}) * 100 / (312 * 216) ))
}

# Waits until the view looks like the picture (at least 60 in 100 pixels the same).
wait_for_picture() {
  for _ in $(seq 150); do
    [ "$(likeness "$1" "$2")" -ge 60 ] && return 0
    sleep 0.2
  done
  return 1
}

close_game() {
  pid="$(xdotool getwindowpid "$1")"
  kill "$pid"
  for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || return 0; sleep 0.1; done
  fail "the game did not end when asked"
}

# 1. The menu entry's command, to the title screen.
"$program" >"$home/out.log" 2>&1 &
w="$(game_window)" || fail "no window: $(cat "$home/out.log")"
wait_for_picture "$w" title.bmp || fail "the title screen does not show ($(likeness "$w" title.bmp)% alike)"
close_game "$w"

# 2. A saved game on the world map, opened from the file manager.
cp "$source/tests/replay/corpus/sources/world-d0.sav" "$home/world.sav"
[ "$(gio info -a standard::content-type "$home/world.sav" | sed -n 's/.*content-type: //p')" = \
  application/x-mirovaan-save ] || fail "a saved game is not known as one"
# Other programs' .sav files stay theirs: a statistics data file, and one of our size that is
# no game record.
printf '$FL2@(#) SPSS DATA FILE' >"$home/survey.sav"
head -c 13532 /dev/zero | tr '\0' '\377' >"$home/other.sav"
for other in survey other; do
  gio info -a standard::content-type "$home/$other.sav" | grep -q x-mirovaan &&
    fail "$other.sav is taken for a saved game"
done
gio open "$home/world.sav" || fail "gio open refused the saved game"
w="$(game_window)" || fail "opening the saved game started no game"
wait_for_picture "$w" mainmap.bmp || fail "the saved game's world map does not show"
close_game "$w"

# 3. A replay under a name that does not say so: played, since it begins as one.
cp "$source/tests/replay/corpus/hero0-dungeon0.mvr" "$home/game.mvr"
[ "$(gio info -a standard::content-type "$home/game.mvr" | sed -n 's/.*content-type: //p')" = \
  application/x-mirovaan-replay ] || fail "a replay is not known as one"
gio open "$home/game.mvr" || fail "gio open refused the replay"
w="$(game_window)" || fail "opening the replay started no game"
for _ in $(seq 300); do
  xdotool getwindowname "$w" | grep -q 'リプレイ' && break
  sleep 0.1
done
xdotool getwindowname "$w" | grep -q 'リプレイ' || fail "the replay does not play: $(xdotool getwindowname "$w")"
close_game "$w"
echo "the installed game starts, and opens saved games and replays"
