#!/bin/bash
# A short soak of the whole game: 'globbet-harness soak' plays a few simulated hours headless (no display,
# no sound, no real waiting) and must pass: every level in both modes played to the end, a pause, an
# options change, the demo, the replay and a restart in mid-game gone through; and it must leave nothing
# behind in its scratch folder. In the sanitizer build a sanitizer report fails it (the harness ends with
# a failing status), and the run is shorter (the sanitizers make it several times slower).
#
#   check_soak.sh BUILD_DIR SOURCE_DIR [HOURS]
#
# The memory bound of a run this short is loose (SOAK_MAX_GROWTH_KB, default 4096): its warm-up is a
# quarter of the run. The full soak is 'globbet-harness soak 24', which holds the growth after warm-up
# under 1 MB.
set -u
. "$(dirname "$0")/common.sh" soak "BUILD_DIR SOURCE_DIR [HOURS]" "$@"
check_need "globbet-harness and globbet_data" "$HARNESS" "$BUILD/data/clp" "$BUILD/data/wav"
HOURS=4
[ "$SANITIZED" = 1 ] && HOURS=2.5
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
WORK=$(mktemp -d /tmp/globbet-check-soak.XXXXXX) || exit 1
trap 'rm -rf "$WORK"' EXIT
mkdir "$WORK/tmp"
# The soak's scratch folder goes under TMPDIR: whatever it leaves there is seen below.
TMPDIR="$WORK/tmp" "$HARNESS" soak "${3:-$HOURS}" --data "$BUILD/data" \
  --max-growth-kb "${SOAK_MAX_GROWTH_KB:-4096}" || exit 1
leftover=$(find "$WORK/tmp" -mindepth 1 | head -3)
[ -z "$leftover" ] || { echo "soak: FAILED: left behind: $leftover"; exit 1; }
