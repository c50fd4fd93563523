#!/bin/bash
# Resident memory and processor use of the game while it plays, in its own Xvfb:
#   measure_play.sh BUILD_DIR [SECONDS]
# Runs the built game from a scratch folder that sees BUILD_DIR/data (no settings file is touched), clicks
# the intro away, fires three shots, then leaves the main screen idle in strategy mode at the default
# speed and reports the share of one core it used over SECONDS (default 10) and its resident memory
# (now and at its peak).
set -u
. "$(dirname "$0")/../checks/common.sh" measure_play "BUILD_DIR [SECONDS]" "$1"
SCRATCH=$(mktemp -d /tmp/globbet-measure.XXXXXX)
trap 'rm -rf "$SCRATCH"' EXIT
ln -s "$BUILD/data/clp" "$SCRATCH/clp" && ln -s "$BUILD/data/wav" "$SCRATCH/wav" || exit 1
export SDL_AUDIODRIVER="${SDL_AUDIODRIVER:-dummy}"
unset SDL_VIDEODRIVER
"$SOURCE/tests/e2e/smoke.sh" --out "$SCRATCH/out" --cwd "$SCRATCH" \
  --do 'sleep 0.5' --do 'click 150 170' --do 'sleep 2' --do 'click 300 330' --do 'sleep 2' \
  --do 'click 250 330' --do 'sleep 2' --do 'click 350 330' --do 'sleep 2' --do 'move 700 700' \
  --do 'sleep 1' --do "cpu ${2:-10}" -- "$GAME" | sed -n 's/^cpu /idle main screen: /p; /^Vm/p' | grep . ||
  { echo "measure: the game could not be measured (see $SCRATCH/out)"; exit 1; }
