#!/bin/bash
# Every end-to-end smoke run, each in its own Xvfb:  run_all.sh BUILD_DIR
# Screenshots and logs go to BUILD_DIR/e2e/<run>/. Exits 0 when every run passed.
set -u
BUILD="${1:?usage: run_all.sh BUILD_DIR}"
BUILD=$(cd "$BUILD" && pwd)
HERE=$(cd "$(dirname "$0")" && pwd)
SMOKE="$HERE/smoke.sh"
RESULTS="$BUILD/e2e"
mkdir -p "$RESULTS"
# The sanitizer build: leaks of the system libraries SDL uses (D-Bus) are theirs, not the game's.
export LSAN_OPTIONS="suppressions=$HERE/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
# The smoke runs must not play sound on the machine running them.
export SDL_AUDIODRIVER="${SDL_AUDIODRIVER:-dummy}"
unset SDL_VIDEODRIVER

FAILED=()
run() {  # run NAME SMOKE-ARGS...
  local name="$1"; shift
  echo "=== e2e: $name"
  rm -rf "${RESULTS:?}/$name"
  if "$SMOKE" --out "$RESULTS/$name" "$@"; then echo "=== e2e: $name passed"; else FAILED+=("$name"); fi
}

# 1. The game's window itself (through globbet-tool's test screen): a presented picture with its colours
#    the right way up, the rounded corner, clicks, typing, Enter's character, the drag by the right-hand
#    part, full screen and back, and Escape ending the loop cleanly.
run window --expect-exit 0 \
  --do 'shot start.png' --do 'pixel 400 50 ff0000' --do 'pixel 400 550 ff00ff' --do 'pixel 0 0 000000' \
  --do 'click 100 120' --do 'output ldown 100 120' --do 'output lup 100 120' \
  --do 'type ab' --do 'output char 97 0' --do 'output char 98 0' \
  --do 'key Return' --do 'output key 13 0' --do 'output char 13 0' \
  --do 'click 300 300' --do 'moved 0 0' \
  --do 'drag 700 20 750 60' --do 'moved 50 40' \
  --do 'key F4' --do 'output fullscreen 1' --do 'screen fullscreen.png' \
  --do 'key F4' --do 'output windowed 1' --do 'shot back.png' --do 'pixel 400 50 ff0000' \
  --do 'key Escape' \
  -- "$BUILD/globbet-tool" window show --ms 60000

# 2. The game as the start command runs it, from the data folder. Without its data files it stops with
#    the missing-file message (a box that Enter dismisses, exit status 255); with them it shows its
#    window, which must show a picture and quit cleanly when asked.
run game --cwd "$BUILD/data" --may-end --do 'shot first.png' --do 'key Return' --do 'sleep 1' \
  -- "$BUILD/globbet"
GAME="$RESULTS/game"
if [[ ! " ${FAILED[*]} " =~ " game " ]]; then
  status=$(awk '/exit status/ {s=$NF} END {print s}' "$GAME/smoke.log")
  if [ "$status" = 255 ]; then
    grep -q "not found" "$GAME/stderr.txt" || { echo "game: exit 255 without the missing-file message"; FAILED+=(game); }
  elif [ "$status" = 0 ] && [ -f "$GAME/first.png" ]; then
    mean=$(convert "$GAME/first.png" -format '%[fx:mean]' info:)
    awk -v m="$mean" 'BEGIN { exit !(m > 0.05) }' || { echo "game: the window shows nothing"; FAILED+=(game); }
  else
    echo "game: ended with status $status and no picture"; FAILED+=(game)
  fi
fi

if [ ${#FAILED[@]} -gt 0 ]; then
  echo "e2e: FAILED: ${FAILED[*]} (logs in $RESULTS)"
  exit 1
fi
echo "e2e: all passed (screenshots in $RESULTS)"
