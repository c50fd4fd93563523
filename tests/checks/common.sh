# The start every check shares. Source it with the check's name and usage line, then its arguments:
#   . "$(dirname "$0")/common.sh" NAME "BUILD_DIR SOURCE_DIR [MORE]" "$@"
# Sets BUILD and SOURCE (absolute paths; SOURCE defaults to this tree), GAME, TOOL and HARNESS (the
# built programs), and SANITIZED (1 in the ASan+UBSan build, where it also exports the sanitizers'
# options: a report fails the run, and the system libraries' own leaks are suppressed).
CHECK_NAME="$1"
CHECK_USAGE="usage: $(basename "$0") $2"
shift 2
BUILD=$(cd "${1:?$CHECK_USAGE}" && pwd) || exit 1
SOURCE=$(cd "${2:-$(dirname "${BASH_SOURCE[0]}")/../..}" && pwd) || exit 1
GAME="$BUILD/globbet" TOOL="$BUILD/globbet-tool" HARNESS="$BUILD/globbet-harness"
SANITIZED=0
if grep -q 'GLOBBET_SANITIZE:BOOL=ON' "$BUILD/CMakeCache.txt" 2>/dev/null; then
  SANITIZED=1
  export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
  export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1${UBSAN_OPTIONS:+:$UBSAN_OPTIONS}"
  export LSAN_OPTIONS="suppressions=$SOURCE/tests/e2e/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
fi

# fail MESSAGE: notes a failure (FAILED=1) with its message; check MESSAGE COMMAND...: a failure unless
# COMMAND succeeds.
FAILED=0
fail() { echo "$CHECK_NAME: FAIL: $*"; FAILED=1; }
check() { "${@:2}" || fail "$1"; }

# check_need WHAT-TO-BUILD FILE...: skips the check (exit 77) when a file it needs is missing.
check_need() {
  local build="$1" file
  shift
  for file in "$@"; do
    [ -e "$file" ] || { echo "$CHECK_NAME: skipped: $file is missing (build $build)"; exit 77; }
  done
}

# store_game FOLDER: writes FOLDER/sv.dat with a stored strategy game to resume (Novice, the animations
# off, so that two pictures of a still board are the same): a band of one colour under two mixed rows,
# the balls at the launcher and waiting of that colour, so that the first shots remove groups whatever
# the timing.
store_game() {
  local folder="$1" board="" cell item
  rm -f "$folder/sv.dat" "$folder/currgame.dat" "$folder/replay.dat"
  for cell in $(seq 0 271); do
    if [ "$cell" -lt 34 ]; then board+=" $((1 + cell % 5))"; elif [ "$cell" -lt 85 ]; then board+=" 0"; else board+=" -1"; fi
  done
  for item in Game.Options.NewGameNeeded=0 Game.Options.AutoSave=1 Game.Options.Level=0 \
    Game.Options.GameType=0 Game.Options.Animate=0 GameOrig.Score=0 GameOrig.ColorLeft=6 \
    "GameOrig.ColorsLeft=[0 1 2 3 4 5]" GameOrig.GameBall=0 GameOrig.WaitBall=0 GameOrig.MaxLeft=6 \
    GameOrig.Left=6 "GameOrig.Field=[${board# }]"; do
    (cd "$folder" && "$TOOL" sv set "${item%%=*}" "${item#*=}" >/dev/null) || return 1
  done
}
