#!/bin/bash
# Crash safety: 1,000 kills (SIGKILL) of the game at random moments while it saves at exit and while it
# records, each followed by the checks of what it left ("sv.dat" the old or the new file and readable,
# "replay.dat" the previous or the new complete recording, "currgame.dat" whole records of the game,
# temporary files swept) and a start on the leftovers. The kills are shared out as:
#   - 20 of the real game program on SDL's dummy drivers (one of them after its intro, in play);
#   - 100 of recording games on the headless table, each followed by the next start, every twentieth
#     of those playing the resumed game to its end and its replay back;
#   - the rest of a loop of the game's exit save and end-of-game copy, back to back.
#
#   check_crash.sh BUILD_DIR SOURCE_DIR [KILLS]
#
# KILLS (default 1000) scales the run: a longer one is simply 'check_crash.sh BUILD SOURCE 20000'. The
# kill times are seeded from the clock; the seed is printed, and CRASH_SEED=S repeats a run. Exits 0
# when every check passed, 1 otherwise, 77 when the game or globbet-tool is not built.
set -u
# A sanitizer report ends a quit run with a failing status, which the tool reports.
. "$(dirname "$0")/common.sh" crash "BUILD_DIR SOURCE_DIR [KILLS]" "$@"
KILLS="${3:-1000}"
GAME="$BUILD/globbet"
TOOL="$BUILD/globbet-tool"

check_need "globbet_game and globbet-tool" "$GAME" "$TOOL" "$BUILD/data/clp" "$BUILD/data/wav"
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy

GAME_KILLS=20 RECORD=100 LONG=1
if [ "$KILLS" -lt 400 ]; then GAME_KILLS=$((KILLS / 20)) RECORD=$((KILLS / 10)); fi
if [ "$KILLS" -ge 5000 ]; then GAME_KILLS=$((KILLS / 50)) RECORD=$((KILLS / 10)) LONG=$((KILLS / 1000)); fi
SEED_ARGS=()
[ -n "${CRASH_SEED:-}" ] && SEED_ARGS=(--seed "$CRASH_SEED")

# The tool makes its scratch folder under TMPDIR and removes it (it keeps it, and says where, when a
# check fails).
"$TOOL" crash "$KILLS" --record "$RECORD" --game "$GAME" --game-kills "$GAME_KILLS" --long "$LONG" \
  --verify-every 20 --data "$BUILD/data" "${SEED_ARGS[@]}"
status=$?
[ $status -eq 0 ] && echo "crash: passed" || echo "crash: FAILED (status $status)"
exit $([ $status -eq 0 ] && echo 0 || echo 1)
