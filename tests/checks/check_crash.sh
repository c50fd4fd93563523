#!/bin/bash
# Crash safety: 1,000 kills (SIGKILL) of the game at random moments while it saves at exit and while it
# records, each followed by the checks of what it left ("sv.dat" the old or the new file and readable,
# "replay.dat" the previous or the new complete recording, "currgame.dat" whole records of the game,
# temporary files swept) and a start on the leftovers. The kills are shared out as:
#   - 20 of the real game program on SDL's dummy drivers (one in a thousand after its intro, in play);
#   - 100 of recording games on the headless table, each followed by the next start, every twentieth
#     round of those playing the resumed game to its end and its replay back;
#   - the rest of a loop of the game's exit save and end-of-game copy, back to back.
#
#   check_crash.sh BUILD_DIR SOURCE_DIR [KILLS]
#
# KILLS (default 1000) scales the run ('check_crash.sh BUILD SOURCE 20000' for a longer one). The kill
# times are seeded from the clock; the seed is printed, and CRASH_SEED=S repeats a run. A sanitizer
# report ends a quit run with a failing status, which the harness reports.
set -u
. "$(dirname "$0")/common.sh" crash "BUILD_DIR SOURCE_DIR [KILLS]" "$@"
KILLS="${3:-1000}"
check_need "globbet_game, globbet-tool and globbet-harness" "$GAME" "$TOOL" "$HARNESS" "$BUILD/data/clp"
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
# The harness makes its scratch folder under TMPDIR and removes it.
"$HARNESS" crash "$KILLS" "$GAME" --data "$BUILD/data" ${CRASH_SEED:+--seed "$CRASH_SEED"}
