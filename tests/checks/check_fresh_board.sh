#!/bin/bash
# A new board at each start: the real game, started twice side by side in fresh folders on SDL's dummy
# drivers, deals two different first boards. Each run is asked to quit several seconds after its game has
# begun (its recording "currgame.dat" is there; the board is stored once its balls are loaded, about a
# second later), and the boards the two saved in "sv.dat" are compared.
#
#   check_fresh_board.sh BUILD_DIR SOURCE_DIR
set -u
. "$(dirname "$0")/common.sh" fresh_board "BUILD_DIR SOURCE_DIR" "$@"
check_need "globbet_game and globbet-tool" "$GAME" "$TOOL" "$BUILD/data/clp"
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
WORK=$(mktemp -d "${TMPDIR:-/tmp}/globbet-fresh.XXXXXX") || exit 1
PIDS=()
trap 'kill "${PIDS[@]}" 2>/dev/null; rm -rf "$WORK"' EXIT

for run in 1 2; do
  mkdir "$WORK/$run" && ln -s "$BUILD/data/clp" "$BUILD/data/wav" "$WORK/$run/" || exit 1
  (cd "$WORK/$run" && exec "$GAME" >game.log 2>&1) &
  PIDS+=($!)
done

# The intro takes about six seconds; a sanitizer build starts more slowly.
for run in 1 2; do
  for _ in $(seq 600); do
    [ -s "$WORK/$run/currgame.dat" ] && break
    kill -0 "${PIDS[$((run - 1))]}" 2>/dev/null || break
    sleep 0.1
  done
done
sleep 8  # generous: a sanitizer build on a busy machine loads the balls slowly
for run in 1 2; do
  pid=${PIDS[$((run - 1))]}
  kill -TERM "$pid" 2>/dev/null
  wait "$pid" || { echo "fresh_board: run $run ended with $?:"; cat "$WORK/$run/game.log"; exit 1; }
done

board1=$(cd "$WORK/1" && "$TOOL" sv get GameOrig.Field) || exit 1
board2=$(cd "$WORK/2" && "$TOOL" sv get GameOrig.Field) || exit 1
echo "fresh_board: first boards ${board1:0:40}... and ${board2:0:40}..."
if [ "$board1" = "$board2" ]; then
  echo "fresh_board: both starts dealt the same board"
  exit 1
fi
echo "fresh_board: passed"
