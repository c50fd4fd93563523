#!/bin/bash
# Memory check of a played session: the real game under valgrind's memcheck, in an X server of its own,
# played as a player would (tests/e2e/smoke.sh drives the window): the intro, a click into the main
# screen, five shots, the options dialog (open it, switch the animations on and the mode to arcade, OK,
# yes to the new game), and the exit button. Every step waits until the window shows that it took effect
# (a shot must change the field), so a slow machine only makes it slower.
# Passes when memcheck found no error and nothing is lost (definitely, indirectly and possibly lost all
# 0) after tests/checks/memcheck.supp, which hides only reports of system libraries, and the game saved
# the changed options at its exit.
#
#   check_memcheck.sh BUILD_DIR SOURCE_DIR
#
# Exits 0 on success, 1 on a failure, 77 (skipped) in the sanitizer build (valgrind cannot run it) or
# without valgrind, Xvfb or xdotool. The valgrind log, the driver's log and the pictures of each step
# stay in BUILD_DIR/memcheck/ for reading.
set -u
. "$(dirname "$0")/common.sh" memcheck "BUILD_DIR SOURCE_DIR" "$@"

if [ "$SANITIZED" = 1 ]; then
  echo "memcheck: skipped: a sanitizer build cannot run under valgrind"
  exit 77
fi
for tool in valgrind Xvfb xdotool xwininfo import convert; do
  command -v "$tool" >/dev/null || { echo "memcheck: skipped: $tool is missing (scripts/deps.sh installs it)"; exit 77; }
done
check_need "globbet_game and globbet-tool" "$GAME" "$TOOL" "$BUILD/data/clp" "$BUILD/data/wav"

OUT="$BUILD/memcheck"
rm -rf "$OUT"
mkdir -p "$OUT"
LOG="$OUT/memcheck.log"
# The game keeps its state files in its current folder: a folder of our own with links to the data.
WORK=$(mktemp -d /tmp/globbet-memcheck.XXXXXX)
trap 'rm -rf "$WORK"' EXIT
ln -s "$BUILD/data/clp" "$WORK/clp" && ln -s "$BUILD/data/wav" "$WORK/wav" || exit 1

# A stored game to resume (common.sh's band: the first shots remove groups and balls fall whatever the
# timing; the animations off: a ball that shines now and then would never let the field look still).
store_game "$WORK" || { echo "memcheck: could not write the stored game"; exit 1; }

export SDL_AUDIODRIVER=dummy
# X11 only: when SDL cannot reach the X server it would otherwise pick its invisible off-screen driver, and
# the game would run unseen until every wait ran out; this way it ends at once with "Can't create window".
export SDL_VIDEODRIVER=x11
# A session bus that is not there: without an address libdbus forks a helper to start one, a step that
# is slow under valgrind and needless here.
export DBUS_SESSION_BUS_ADDRESS="unix:path=$WORK/no-session-bus"
VALGRIND=(valgrind --tool=memcheck --error-exitcode=99 --leak-check=full --errors-for-leak-kinds=definite
  --show-leak-kinds=definite,indirect,possible --num-callers=40
  --suppressions="$SOURCE/tests/checks/memcheck.supp" --child-silent-after-fork=yes --log-file="$LOG")

# The play area (the field and the launcher row) and the dialogs, for waiting until a step took effect.
PLAY=580x600+0+0 OPTIONS=450x565+175+17 QUESTION=340x300+230+150
SHOTS=()
for x in 300 250 350 200 400; do
  SHOTS+=(--do "click $x 330" --do changed --do "settle $PLAY" --do "shot shot-$x.png")
done
# The session. The intro's click is on the card's left edge (the window is cut to the card, 16 px in):
# should the intro hand over by itself first, the same point of the main screen is outside the field and
# fires no shot. After the options the new game plays
# its animations (the board appearing, shining balls) for a while before the exit button. smoke.sh bounds
# each wait; the timeout only keeps a stalled run clear of CTest's own limit.
session() {
  timeout -k 30 720 "$SOURCE/tests/e2e/smoke.sh" --out "$OUT/session" --cwd "$WORK" --wait 180 \
    --end-wait 180 --expect-exit 0 \
    --do 'sleep 1' --do 'shot intro.png' --do 'click 20 200' --do 'size 800x600' \
    --do "settle $PLAY" --do 'shot main.png' "${SHOTS[@]}" \
    --do 'click 729 64' --do changed --do "settle $OPTIONS" --do 'shot options.png' \
    --do 'click 301 191' --do changed --do "settle $OPTIONS" --do 'click 390 434' --do changed \
    --do "settle $OPTIONS" --do 'shot changed.png' \
    --do 'click 320 512' --do changed --do "settle $QUESTION" --do 'shot question.png' \
    --do 'click 330 375' --do changed --do 'sleep 8' --do 'shot new-game.png' \
    --do 'click 775 14' \
    -- "${VALGRIND[@]}" "$GAME"
}
start=$SECONDS
session
driven=$?
# A game that could not reach its fresh X server (seen now and then on a loaded machine) gets one more
# server; the first attempt's files stay beside the second's.
if grep -q "Can't create window" "$OUT/session/stderr.txt" 2>/dev/null; then
  echo "memcheck: the game could not reach its X server; once more with a new one"
  mv "$OUT/session" "$OUT/session-unreached" && mv "$LOG" "$OUT/memcheck-unreached.log"
  session
  driven=$?
fi
seconds=$((SECONDS - start))

# ---- the verdict ----------------------------------------------------------------------------------------
figure() {  # figure LABEL: the byte count of a LEAK SUMMARY line, 0 when memcheck found no leak at all
  local n
  n=$(sed -n "s/.*$1: \([0-9,]*\) bytes.*/\1/p" "$LOG" | tail -1 | tr -d ,)
  echo "${n:-0}"
}
[ -s "$LOG" ] || { echo "memcheck: FAIL: no valgrind log (see $OUT/session/smoke.log)"; exit 1; }
# No ERROR SUMMARY at all: the game did not end under valgrind.
errors=$(sed -n 's/.*ERROR SUMMARY: \([0-9,]*\) errors.*/\1/p' "$LOG" | tail -1 | tr -d ,)
echo "memcheck: $seconds s; errors ${errors:-none}; still reachable $(figure "still reachable") bytes"
status=$(sed -n 's/^smoke: exit status //p' "$OUT/session/smoke.log" 2>/dev/null | tail -1)
if [ "$driven" -ne 0 ] && [ "$status" != 99 ]; then  # 99: memcheck's errors, told below
  fail "the session did not go as scripted (exit status ${status:-none}; see $OUT/session/smoke.log)"
fi
[ "${errors:-1}" = 0 ] || fail "memcheck reported ${errors:-no summary, or unknown} errors (see $LOG)"
for kind in "definitely lost" "indirectly lost" "possibly lost"; do
  [ "$(figure "$kind")" = 0 ] || fail "$kind: $(figure "$kind") bytes (see $LOG)"
done
# The game saved the options the dialog changed when it ended.
sv_get() { (cd "$WORK" && "$TOOL" sv get "$1" 2>/dev/null); }
[ "$(sv_get Game.Options.Animate)" = 1 ] && [ "$(sv_get Game.Options.GameType)" = 1 ] ||
  fail "the saved settings do not hold the options changed in the dialog (animations on, arcade)"
[ "$FAILED" -eq 0 ] && echo "memcheck: passed (log in $LOG)"
exit "$FAILED"
