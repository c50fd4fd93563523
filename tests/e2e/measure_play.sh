#!/bin/bash
# Resident memory and processor use of the game while it plays, in its own Xvfb:
#   measure_play.sh BUILD_DIR [SECONDS]
# Runs the built game from a scratch folder that sees BUILD_DIR/data (no settings file is touched), clicks
# the intro away, fires three shots, then leaves the main screen idle in strategy mode at the default
# speed and reports the share of one core it used over SECONDS (default 10) and its resident memory
# (now and at its peak). Needs Xvfb and xdotool.
set -u
BUILD=$(cd "${1:?usage: measure_play.sh BUILD_DIR [SECONDS]}" && pwd)
SECONDS_IDLE="${2:-10}"
SCRATCH=$(mktemp -d /tmp/globbet-measure.XXXXXX)
ln -s "$BUILD/data/clp" "$SCRATCH/clp"
ln -s "$BUILD/data/wav" "$SCRATCH/wav"
export SDL_AUDIODRIVER="${SDL_AUDIODRIVER:-dummy}"
unset SDL_VIDEODRIVER
n=$((200 + RANDOM % 700))
Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
XVFB=$!
GAME=""
cleanup() {
  [ -n "$GAME" ] && kill "$GAME" 2>/dev/null
  kill "$XVFB" 2>/dev/null
  rm -rf "$SCRATCH"
}
trap cleanup EXIT
export DISPLAY=":$n"
sleep 1
(cd "$SCRATCH" && exec "$BUILD/globbet") >/dev/null 2>&1 &
GAME=$!
for _ in $(seq 50); do
  WID=$(xdotool search --onlyvisible --pid "$GAME" 2>/dev/null | head -1)
  [ -n "$WID" ] && break
  sleep 0.1
done
[ -n "$WID" ] || { echo "measure: no window"; exit 1; }
click() {  # click X Y in window coordinates
  eval "$(xdotool getwindowgeometry --shell "$WID")"
  xdotool mousemove --sync $((X + $1)) $((Y + $2)) click 1
}
sleep 0.5
click 150 170
sleep 2
for x in 300 250 350; do click "$x" 330; sleep 2; done
xdotool mousemove --sync 700 700
sleep 1
cpu() { awk '{print $14 + $15}' "/proc/$GAME/stat"; }
before=$(cpu)
sleep "$SECONDS_IDLE"
after=$(cpu)
ticks=$(getconf CLK_TCK)
awk -v b="$before" -v a="$after" -v t="$ticks" -v s="$SECONDS_IDLE" \
  'BEGIN { printf "idle main screen: %.1f %% of one core over %d s\n", 100 * (a - b) / t / s, s }'
awk '/VmRSS|VmHWM/ {printf "%s %.1f MB\n", $1, $2 / 1024}' "/proc/$GAME/status"
