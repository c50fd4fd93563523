#!/bin/bash
# A short soak of the whole game: 'globbet-tool soak' plays a few simulated hours headless (no display,
# no sound, no real waiting) and must pass: every level in both modes played to the end, a pause, an
# options change, the demo, the replay and a restart in mid-game gone through, nothing left behind in
# its scratch folder. In the sanitizer build any AddressSanitizer or UndefinedBehaviorSanitizer report
# fails it, and the run is shorter (the sanitizers make it several times slower).
#
#   check_soak.sh BUILD_DIR SOURCE_DIR [HOURS]
#
# The memory bound of a run this short is loose (SOAK_MAX_GROWTH_KB, default 4096): its warm-up is a
# quarter of the run. The full soak is 'globbet-tool soak 24' in the normal build, which holds the
# growth after warm-up under 1 MB (see 'globbet-tool soak --help'). Exits 0 when the soak passed, 1
# otherwise, 77 when the tool or its data are not built.
set -u
. "$(dirname "$0")/common.sh" soak "BUILD_DIR SOURCE_DIR [HOURS]" "$@"
TOOL="$BUILD/globbet-tool"

check_need "globbet-tool and globbet_data" "$TOOL" "$BUILD/data/clp" "$BUILD/data/wav"

HOURS=4
[ "$SANITIZED" = 1 ] && HOURS=2.5
HOURS="${3:-$HOURS}"
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy

WORK=$(mktemp -d /tmp/globbet-check-soak.XXXXXX) || exit 1
trap 'rm -rf "$WORK"' EXIT
mkdir "$WORK/tmp"
# The soak's scratch folder goes under TMPDIR: whatever it leaves there is seen below.
export TMPDIR="$WORK/tmp"

echo "soak: globbet-tool soak $HOURS --data $BUILD/data"
(cd "$WORK" && "$TOOL" soak "$HOURS" --data "$BUILD/data" --max-growth-kb "${SOAK_MAX_GROWTH_KB:-4096}") \
  >"$WORK/out.txt" 2>"$WORK/err.txt"
status=$?
cat "$WORK/out.txt"
failed=0
fail() {
  echo "soak: FAILED: $*"
  failed=1
}
[ "$status" = 0 ] || fail "exit status $status: $(cat "$WORK/err.txt")"
if grep -qE 'ERROR: (AddressSanitizer|LeakSanitizer)|runtime error:' "$WORK/err.txt"; then
  fail "sanitizer report:"
  cat "$WORK/err.txt"
fi
grep -q '^soak passed$' "$WORK/out.txt" || fail "no 'soak passed' line"

# Every level in both modes finished at least once.
games=$(grep '^games ' "$WORK/out.txt")
for level in Novice Expert Master; do
  for mode in strategy arcade; do
    echo "$games" | grep -qE "$level $mode [1-9]" || fail "no $level $mode game finished"
  done
done
# Each event at least once.
for what in pauses 'option changes' restores demos replays; do
  grep -qE "^$what [1-9]" "$WORK/out.txt" || fail "no $what"
done
leftover=$(find "$WORK/tmp" -mindepth 1 | head -3)
[ -z "$leftover" ] || fail "left behind: $leftover"

[ "$failed" = 0 ] && echo "soak: passed"
exit "$failed"
