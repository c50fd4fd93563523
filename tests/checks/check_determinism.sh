#!/bin/bash
# The recorded games of tests/replays (manifest.txt: the expected score, shots and board hash of each)
# played back on this machine's maths and again with glibc's FMA/AVX2 variants of the maths functions
# switched off (GLIBC_TUNABLES), as a processor without them would compute: every game must end as the
# manifest says both times.
#  1. 'globbet-tool replay verify' plays each recording, with the default and with the plain variants;
#  2. globbet_tests_determinism plays each through the whole program's replay button with the plain
#     variants (with the default ones it is CTest's unit test of the same name). Not in the sanitizer
#     build, where the program's replay costs minutes and its maths is the same code: there the unit
#     test plays it;
#  3. the self-playing demo plays DETERMINISM_DEMO_GAMES new games per level and mode (default 2, in
#     the sanitizer build 1) with each variant, and the games must be the same.
#
#   check_determinism.sh BUILD_DIR SOURCE_DIR
#
# The longer run, 1,800 demo games on each variant (some six minutes of processor time here):
#   DETERMINISM_DEMO_GAMES=300 tests/checks/check_determinism.sh build/release .
#
# Exits 0 when every game matched, 1 otherwise, 77 when the tool or the test program is not built.
# The manifest is regenerated only by hand: tests/replays/regenerate.sh (see its header).
set -u
. "$(dirname "$0")/common.sh" determinism "BUILD_DIR SOURCE_DIR" "$@"
SUITE="$BUILD/globbet_tests_determinism"
REPLAYS="$SOURCE/tests/replays"
DEMO_GAMES="${DETERMINISM_DEMO_GAMES:-$((2 - SANITIZED))}"
check_need "globbet-tool, globbet_tests_determinism, globbet_data" "$TOOL" "$SUITE" "$BUILD/data/clp/ball/0.clp"
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy

# ---- the plain maths -------------------------------------------------------------------------------
# glibc picks the FMA variants of atan, asin, tan ... at start-up when the processor has FMA and AVX2.
# Its tunables take them away: the names are "-AVX2,-FMA" since glibc 2.33 (earlier "-AVX2_Usable,
# -FMA_Usable"). Whichever changes the features the loader reports as active is the one in effect.
PLAIN=""
LOADER=$(ldd "$TOOL" 2>/dev/null | awk '/ld-linux/ {print $1; exit}')
active() { GLIBC_TUNABLES=$1 "$LOADER" --list-diagnostics 2>/dev/null | grep 'cpu_features.*\.active'; }
if [ -n "$LOADER" ] && [ -x "$LOADER" ] && [ -n "$(active "")" ]; then
  for tunable in "glibc.cpu.hwcaps=-AVX2,-FMA" "glibc.cpu.hwcaps=-AVX2_Usable,-FMA_Usable"; do
    [ "$(active "$tunable")" != "$(active "")" ] && { PLAIN=$tunable; break; }
  done
fi
echo "determinism: plain maths: ${PLAIN:-none here (no FMA/AVX2, or a loader without diagnostics): default maths only}"
# Runs a command with the maths given ("" the default, else a tunable).
maths() { local tunables=$1; shift; if [ -n "$tunables" ]; then GLIBC_TUNABLES=$tunables "$@"; else "$@"; fi; }

# ---- the tool's replay -----------------------------------------------------------------------------
failures=0 games=0
while read -r file _ _ _ _ score shots hash; do
  [[ -z "$file" || "$file" == \#* ]] && continue
  games=$((games + 1))
  for tunables in "" ${PLAIN:+"$PLAIN"}; do
    out=$(maths "$tunables" "$TOOL" replay verify "$REPLAYS/$file" 2>&1)
    got=$(awk '$1 == "score" {s = $2} $1 == "shots" {n = $2} $1 == "hash" {h = $2} END {print s, n, h}' <<<"$out")
    if [ "$got" != "$score $shots $hash" ]; then
      echo "determinism: FAIL $file (${tunables:-default maths}): expected $score $shots $hash, got '$got'"
      grep -v '^board' <<<"$out" | head -20
      failures=$((failures + 1))
    fi
  done
done <"$REPLAYS/manifest.txt"
[ "$games" -gt 0 ] || { echo "determinism: FAIL: no games in $REPLAYS/manifest.txt"; exit 1; }
echo "determinism: globbet-tool replay verify: $games games, $failures failed"

# ---- the demo's games ------------------------------------------------------------------------------
# Games the demo plays afresh (every shot chosen among 100 traced candidates) at every level and mode:
# the same games, shot for shot, on both maths.
if [ -n "$PLAIN" ] && [ "$DEMO_GAMES" -gt 0 ]; then
  for level in 0 1 2; do
    for mode in 0 1; do
      args=("$DEMO_GAMES" $((level * 2 + mode + 1)) "$level" "$mode")
      d=$(diff <("$TOOL" demo "${args[@]}" 2>&1) <(GLIBC_TUNABLES=$PLAIN "$TOOL" demo "${args[@]}" 2>&1)) || {
        echo "determinism: FAIL: demo ${args[*]} differs between the maths:"
        head -10 <<<"$d"
        failures=$((failures + 1))
      }
    done
  done
  echo "determinism: the demo's games on both maths: $DEMO_GAMES per level and mode"
fi

# ---- the program's replay --------------------------------------------------------------------------
if [ -n "$PLAIN" ] && [ "$SANITIZED" = 0 ]; then
  if ! GLIBC_TUNABLES=$PLAIN "$SUITE" --gtest_filter='*Program*' --gtest_brief=1 >"$BUILD/determinism-suite.log" 2>&1; then
    echo "determinism: FAIL: the program's replay with plain maths:"
    tail -60 "$BUILD/determinism-suite.log"
    failures=$((failures + 1))
  else
    echo "determinism: the program's replay with plain maths: $(tail -1 "$BUILD/determinism-suite.log")"
  fi
fi
[ "$failures" -eq 0 ] || exit 1
echo "determinism: all recorded games end as the manifest says"
