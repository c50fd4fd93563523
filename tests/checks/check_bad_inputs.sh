#!/bin/bash
# The bad-input catalogue (tests/bad_inputs/cases.txt) against the built game: every damaged file is put
# into a game folder of its own beside links to the good data, the game is started there on SDL's dummy
# drivers, and its end is checked against the case's expectation: a damaged clip file ends the start-up
# with the missing-file message and status 255; anything else runs until asked to quit (SIGTERM, which
# SDL turns into the platform's close), ends with 0 and leaves a readable "sv.dat" with the expected
# values. Replays are started from their button in an X server of our own (Xvfb + tests/e2e/smoke.sh)
# when one can be started; the dummy driver takes no input. In the sanitizer build any sanitizer report
# fails its case.
#
#   check_bad_inputs.sh BUILD_DIR SOURCE_DIR [CASE-PATTERN]
#
# CASE-PATTERN (an extended regular expression) picks the lines of cases.txt to run. Environment:
# BAD_INPUTS_JOBS (games run at once, default 6: they idle most of the time), BAD_INPUTS_X=1 or 0 (the
# replay runs in Xvfb on or off; by default on in the normal build and off in the sanitizer build, where
# each takes half a minute: there globbet_tests_bad_inputs plays the same replays in-process under the
# sanitizers), BAD_INPUTS_KEEP=1 (keep the case folders, printed at the end). Exits 0 when every case
# passed, 1 otherwise, 77 when the game or its data are not built. An X server that shows no window of
# the game in time (a loaded machine) makes that replay run a skip, not a failure.
#
# The whole catalogue in both builds, the sanitizer one with its replay runs in Xvfb too:
#   tests/checks/check_bad_inputs.sh build/release . && BAD_INPUTS_X=1 tests/checks/check_bad_inputs.sh build/asan .
set -u
. "$(dirname "$0")/common.sh" bad_inputs "BUILD_DIR SOURCE_DIR [CASE-PATTERN]" "$@"
PATTERN="${3:-.}"
CATALOGUE="$SOURCE/tests/bad_inputs"
GAME="$BUILD/globbet"
TOOL="$BUILD/globbet-tool"
JOBS="${BAD_INPUTS_JOBS:-6}"

check_need "globbet_game and globbet-tool" "$GAME" "$TOOL" "$BUILD/data/clp" "$BUILD/data/wav"

# Seconds a game runs before it is asked to quit, the last 2 watched for progress: long enough for what
# reads the file to have run (the settings at start-up; the intro's sound at 4 s; the main screen, the
# saved game and the replay's header after the 6 s intro). The sanitizer build starts more slowly, and
# waits longer for an end.
SLOW=1 LATE=0
[ "$SANITIZED" = 1 ] && SLOW=2 LATE=3
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy

WORK=$(mktemp -d /tmp/globbet-bad-inputs.XXXXXX) || exit 1
cleanup() {
  # Folders made unreadable by a case must be readable again to be removed.
  chmod -R u+rwX "$WORK" 2>/dev/null
  if [ "${BAD_INPUTS_KEEP:-0}" = 1 ]; then echo "bad inputs: case folders kept in $WORK"; else rm -rf "$WORK"; fi
}
trap cleanup EXIT

X_STAGE=1
[ "$SLOW" = 2 ] && X_STAGE=0
[ -n "${BAD_INPUTS_X:-}" ] && X_STAGE="$BAD_INPUTS_X"
for tool in Xvfb xdotool xwininfo import convert; do
  command -v "$tool" >/dev/null || X_STAGE=0
done

# ---- one case --------------------------------------------------------------------------------------

wait_seconds() {  # the run time before the quit request, by kind
  case "$1" in
    sv | scores) echo $((3 + LATE)) ;;
    wav) echo $((5 + LATE)) ;;
    *) echo $((10 + LATE)) ;;
  esac
}

# Builds the game folder DIR with the good data and the case's file at PLACED. Prints a reason and
# returns 1 when the case cannot be set up; returns 2 when it is to be skipped.
make_folder() {  # make_folder DIR KIND FILE PLACED
  local dir="$1" kind="$2" file="$3" placed="$4" top
  mkdir -p "$dir"
  top="${placed%%/*}"
  for sub in clp wav; do
    if [ "$top" = "$sub" ]; then
      cp -rs "$BUILD/data/$sub" "$dir/$sub" || { echo "cannot mirror $sub"; return 1; }
      rm -f "$dir/$placed"
    else
      ln -s "$BUILD/data/$sub" "$dir/$sub"
    fi
  done
  # A resumed game is what appends to the recording.
  [ "$kind" = currgame ] && cp "$CATALOGUE/good/sv.dat" "$dir/sv.dat"
  local target="$dir/$placed" good
  mkdir -p "$(dirname "$target")"
  case "$file" in
    @dir) mkdir "$target" ;;
    @fifo) mkfifo "$target" ;;
    @sparse:*) truncate -s "${file#@sparse:}" "$target" ;;
    @unreadable)
      [ "$(id -u)" -eq 0 ] && { echo "root reads any file"; return 2; }
      case "$top" in clp | wav) good="$BUILD/data/$placed" ;; *) good="$CATALOGUE/good/$placed" ;; esac
      cp "$good" "$target" && chmod 000 "$target" ;;
    *) cp "$CATALOGUE/$file" "$target" ;;
  esac || { echo "cannot place $file"; return 1; }
}

# The value text of KEY in the folder's "sv.dat", or nothing with status 1.
stored() { (cd "$1" && "$TOOL" sv get "$2" 2>/dev/null); }

# Checks the expectations that concern the written "sv.dat"; prints the first failure.
check_settings() {  # check_settings DIR PLACED FILE EXPECT
  local dir="$1" placed="$2" file="$3" expect="$4" item key want got
  # A folder in the file's place cannot be replaced: the save fails silently.
  if [ "$placed" = sv.dat ] && [ "$file" = @dir ]; then
    [ -d "$dir/sv.dat" ] || { echo "the folder named sv.dat is gone"; return 1; }
    return 0
  fi
  (cd "$dir" && "$TOOL" sv decode >/dev/null 2>&1) || { echo "the sv.dat written at exit is not readable"; return 1; }
  local checks=()
  IFS=';' read -ra items <<<"$expect"
  for item in "${items[@]}"; do
    case "$item" in
      defaults)
        checks+=(Game.Options.Level=0 Game.Options.FastSpeed=2 Game.Options.GameType=0 Game.Options.Animate=1
          Game.Options.AutoSave=1 Game.Options.SoundOn=1 Game.Options.FullScreen=0
          "Game.CurrGame.Skins=[0 0 0 0 0 0]" 'Game.Scores.Table=""') ;;
      *=* | *#*) checks+=("$item") ;;
    esac
  done
  for item in "${checks[@]}"; do
    if [[ "$item" == *=* ]]; then
      key="${item%%=*}" want="${item#*=}"
      got=$(stored "$dir" "$key") || { echo "sv.dat has no $key"; return 1; }
      [ "$got" = "$want" ] || { echo "sv.dat has $key=$got, not $want"; return 1; }
    else
      key="${item%%#*}" want="${item#*#}"
      got=$(stored "$dir" "$key") || { echo "sv.dat has no $key"; return 1; }
      got=$(grep -o '\\n' <<<"$got" | wc -l)
      [ "$got" -eq "$want" ] || { echo "$key holds $got lines, not $want"; return 1; }
    fi
  done
}

# Waits up to SECONDS for process PID to end; when it does not, kills it and returns 1.
ends_within() {  # ends_within PID SECONDS
  local t=0
  while kill -0 "$1" 2>/dev/null && [ $t -lt $(($2 * 5)) ]; do sleep 0.2; t=$((t + 1)); done
  kill -0 "$1" 2>/dev/null || return 0
  kill -KILL "$1" 2>/dev/null
  wait "$1" 2>/dev/null
  return 1
}

# Processor time of process PID so far, in clock ticks; nothing when it is gone.
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat" 2>/dev/null; }

sanitizer_report() {  # sanitizer_report STDERR-FILE
  grep -qE 'ERROR: (Address|Leak|Memory|Thread)Sanitizer|runtime error:|SUMMARY: [A-Za-z]*Sanitizer' "$1"
}

# Runs case N; writes "PASS ..." or "FAIL ..." or "SKIP ..." to DIR/result.
run_case() {  # run_case N KIND FILE PLACED EXPECT
  local n="$1" kind="$2" file="$3" placed="$4" expect="$5"
  local dir="$WORK/case-$n" game="$WORK/case-$n/game" label="$kind $file -> $placed ($expect)"
  mkdir -p "$dir"
  local why status
  why=$(make_folder "$game" "$kind" "$file" "$placed")
  status=$?
  if [ $status -eq 2 ]; then echo "SKIP $label: $why" >"$dir/result"; return; fi
  if [ $status -ne 0 ]; then echo "FAIL $label: $why" >"$dir/result"; return; fi
  (cd "$game" && exec "$GAME") >"$dir/stdout.txt" 2>"$dir/stderr.txt" &
  local pid=$! code
  result() { echo "$1 $label${2:+: $2}" >"$dir/result"; }
  if [[ "$expect" == fatal* ]]; then
    ends_within "$pid" $((60 * SLOW)) || { result FAIL "still running after $((60 * SLOW)) s"; return; }
    wait "$pid"; code=$?
    local message="Error: file $placed not found. Please reinstall game."
    if sanitizer_report "$dir/stderr.txt"; then result FAIL "sanitizer report (see stderr)"
    elif [ "$code" -ne 255 ]; then result FAIL "exit status $code, not 255"
    elif ! grep -qxF "$message" "$dir/stderr.txt"; then result FAIL "no line '$message' on standard error"
    elif [ -e "$game/sv.dat" ]; then result FAIL "a fatal error wrote sv.dat"
    else result PASS; fi
    return
  fi
  sleep $(($(wait_seconds "$kind") - 2))
  # A game blocked in a call (the open of a named pipe, say) is alive but still, and a quit request may
  # even free it: its processor time must go on growing (a running game uses some every second).
  local before after where
  before=$(cpu_ticks "$pid")
  sleep 2
  after=$(cpu_ticks "$pid")
  if ! kill -0 "$pid" 2>/dev/null; then
    wait "$pid"; code=$?
    result FAIL "ended by itself with status $code before it was asked to quit"; return
  fi
  if [ -n "$before" ] && [ "$before" = "$after" ]; then
    where=$(cat "/proc/$pid/wchan" 2>/dev/null)
    kill -KILL "$pid" 2>/dev/null; wait "$pid" 2>/dev/null
    result FAIL "made no progress for 2 s (blocked in ${where:-?})"; return
  fi
  kill -TERM "$pid"
  ends_within "$pid" $((20 * SLOW)) || { result FAIL "did not quit within $((20 * SLOW)) s of the request (hung?)"; return; }
  wait "$pid"; code=$?
  if sanitizer_report "$dir/stderr.txt"; then result FAIL "sanitizer report (see stderr)"; return; fi
  [ "$code" -eq 0 ] || { result FAIL "exit status $code, not 0"; return; }
  why=$(check_settings "$game" "$placed" "$file" "$expect") || { result FAIL "$why"; return; }
  result PASS
}

# Replay cases, second stage: in an X server of our own the intro is clicked away, the replay button
# (at (580, 145), 100 x 35) is clicked, the replay plays or stops for a while, and the game must then
# still quit with 0 when asked, without a sanitizer report. The driver runs in a session of its own,
# so that a hung X client can be ended with everything it started.
run_replay_in_x() {  # run_replay_in_x N KIND FILE PLACED EXPECT
  local n="$1" kind="$2" file="$3" placed="$4" expect="$5"
  local dir="$WORK/xcase-$n" label="$kind $file -> $placed ($expect), replay started in Xvfb"
  mkdir -p "$dir"
  if ! make_folder "$dir/game" "$kind" "$file" "$placed" >"$dir/why"; then
    echo "FAIL $label: $(cat "$dir/why")" >"$dir/result"; return
  fi
  (
    unset SDL_VIDEODRIVER
    exec setsid "$SOURCE/tests/e2e/smoke.sh" --out "$dir/smoke" --cwd "$dir/game" --wait $((30 * SLOW)) \
      --end-wait $((20 * SLOW)) --expect-exit 0 \
      --do 'sleep 1' --do 'click 150 170' --do "sleep $((2 * SLOW))" --do 'click 630 162' \
      --do "sleep $((6 * SLOW))" --do 'close' -- "$GAME"
  ) >"$dir/smoke.txt" 2>&1 &
  local driver=$! t=0 status
  while kill -0 "$driver" 2>/dev/null && [ $t -lt $((600 * SLOW)) ]; do sleep 0.2; t=$((t + 1)); done
  if kill -0 "$driver" 2>/dev/null; then
    kill -KILL -- "-$driver" 2>/dev/null
    wait "$driver" 2>/dev/null
    echo "SKIP $label: the X server did not answer within $((120 * SLOW)) s" >"$dir/result"; return
  fi
  wait "$driver"; status=$?
  if [ -f "$dir/smoke/stderr.txt" ] && sanitizer_report "$dir/smoke/stderr.txt"; then
    echo "FAIL $label: sanitizer report (see $dir/smoke/stderr.txt)" >"$dir/result"
  elif [ $status -eq 0 ]; then
    echo "PASS $label" >"$dir/result"
  elif grep -q 'FAIL: no window within' "$dir/smoke.txt"; then
    # The game ran but no window reached this X server: the machine's trouble, not the file's.
    echo "SKIP $label: no window in Xvfb within $((30 * SLOW)) s" >"$dir/result"
  else
    echo "FAIL $label: $(grep -m1 'FAIL' "$dir/smoke.txt" || tail -1 "$dir/smoke.txt")" >"$dir/result"
  fi
}

# ---- all cases ---------------------------------------------------------------------------------------

# Runs "$@" in the background, keeping at most JOBS at once.
running=0
spawn() {
  if [ "$running" -ge "$JOBS" ]; then wait -n; running=$((running - 1)); fi
  "$@" &
  running=$((running + 1))
}

trim() { local s="$1"; s="${s#"${s%%[![:space:]]*}"}"; echo "${s%"${s##*[![:space:]]}"}"; }

n=0
started=$SECONDS
cases=()
x_cases=()
while IFS= read -r line; do
  [[ "$line" =~ ^[[:space:]]*(#|$) ]] && continue
  [[ "$line" =~ $PATTERN ]] || continue
  IFS='|' read -r kind file placed expect _ <<<"$line"
  kind=$(trim "$kind") file=$(trim "$file") placed=$(trim "$placed") expect=$(trim "$expect")
  if [ -z "$kind" ] || [ -z "$file" ] || [ -z "$placed" ] || [ -z "$expect" ]; then
    echo "bad inputs: malformed line in cases.txt: $line"
    exit 1
  fi
  case "$file" in @*) ;; *) [ -f "$CATALOGUE/$file" ] || { echo "bad inputs: $file is missing"; exit 1; } ;; esac
  n=$((n + 1))
  cases+=("$n|$kind|$file|$placed|$expect")
  [ "$X_STAGE" = 1 ] && [[ "$expect" == replay-* ]] && x_cases+=("$n|$kind|$file|$placed|$expect")
done <"$CATALOGUE/cases.txt"

# The X runs go one at a time beside the others: several X servers at once on a loaded machine are
# slow to show a window.
if [ ${#x_cases[@]} -gt 0 ]; then
  (
    for entry in "${x_cases[@]}"; do
      IFS='|' read -r i kind file placed expect <<<"$entry"
      run_replay_in_x "$i" "$kind" "$file" "$placed" "$expect"
    done
  ) &
  running=1
fi
for entry in "${cases[@]}"; do
  IFS='|' read -r i kind file placed expect <<<"$entry"
  spawn run_case "$i" "$kind" "$file" "$placed" "$expect"
done
wait

passed=0 failed=0 skipped=0
for entry in "${cases[@]}"; do
  i="${entry%%|*}"
  for result in "$WORK/case-$i/result" "$WORK/xcase-$i/result"; do
    [ -f "$result" ] || continue
    line=$(cat "$result")
    echo "bad inputs: $line"
    case "$line" in
      PASS*) passed=$((passed + 1)) ;;
      SKIP*) skipped=$((skipped + 1)) ;;
      *)
        failed=$((failed + 1))
        dir=$(dirname "$result")
        [ -s "$dir/stderr.txt" ] && sed 's/^/    stderr: /' "$dir/stderr.txt" | head -15
        ;;
    esac
  done
done
[ "$X_STAGE" = 1 ] || echo "bad inputs: replays were not started from their button here (BAD_INPUTS_X=1 does)"
echo "bad inputs: $passed passed, $failed failed, $skipped skipped in $((SECONDS - started)) s"
[ "$failed" -eq 0 ]
