#!/bin/bash
# The bad-input catalogue (tests/bad_inputs/cases.txt) against the built game: every damaged file is put
# into a game folder of its own beside links to the good data, the game is started there on SDL's dummy
# drivers, and its end is checked against the case's expectation: a damaged clip file ends the start-up
# with the missing-file message and status 255; anything else runs until asked to quit (SIGTERM, which
# SDL turns into the platform's close), ends with 0 and leaves a readable "sv.dat" with the expected
# values. The replays started from their button are globbet_tests_bad_inputs' part (in-process; the
# dummy driver takes no input). In the sanitizer build a sanitizer report changes the exit status.
#
#   check_bad_inputs.sh BUILD_DIR SOURCE_DIR [CASE-PATTERN]
#
# CASE-PATTERN (an extended regular expression) picks the lines of cases.txt to run. Environment:
# BAD_INPUTS_JOBS (games run at once, default 6: they idle most of the time).
set -u
. "$(dirname "$0")/common.sh" bad_inputs "BUILD_DIR SOURCE_DIR [CASE-PATTERN]" "$@"
PATTERN="${3:-.}"
CATALOGUE="$SOURCE/tests/bad_inputs"
JOBS="${BAD_INPUTS_JOBS:-6}"
check_need "globbet_game and globbet-tool" "$GAME" "$TOOL" "$BUILD/data/clp" "$BUILD/data/wav"

# Seconds a game runs before it is asked to quit, the last 2 watched for progress: long enough for what
# reads the file to have run (the settings at start-up; the intro's sound at 4 s; the main screen, the
# saved game and the replay's header after the 6 s intro). The sanitizer build starts more slowly, and
# waits longer for an end.
SLOW=$((1 + SANITIZED)) LATE=$((3 * SANITIZED))
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
WORK=$(mktemp -d /tmp/globbet-bad-inputs.XXXXXX) || exit 1
# Folders made unreadable by a case must be readable again to be removed.
trap 'chmod -R u+rwX "$WORK" 2>/dev/null; rm -rf "$WORK"' EXIT

# Builds the game folder DIR with the good data and the case's file at PLACED. Prints a reason and
# returns 1 when the case cannot be set up; returns 2 when it is to be skipped.
make_folder() {  # make_folder DIR KIND FILE PLACED
  local dir="$1" kind="$2" file="$3" placed="$4" top="${4%%/*}" good
  mkdir -p "$dir"
  for sub in clp wav; do
    if [ "$top" = "$sub" ]; then
      cp -rs "$BUILD/data/$sub" "$dir/$sub" && rm -f "$dir/$placed" || { echo "cannot mirror $sub"; return 1; }
    else
      ln -s "$BUILD/data/$sub" "$dir/$sub"
    fi
  done
  # A resumed game is what appends to the recording.
  [ "$kind" = currgame ] && cp "$CATALOGUE/good/sv.dat" "$dir/sv.dat"
  local target="$dir/$placed"
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

# Checks the expectations that concern the written "sv.dat"; prints the first failure.
check_settings() {  # check_settings DIR PLACED FILE EXPECT
  local dir="$1" expect="$4" item key want got checks=()
  # A folder in the file's place cannot be replaced: the save fails silently.
  if [ "$2" = sv.dat ] && [ "$3" = @dir ]; then
    [ -d "$dir/sv.dat" ] || { echo "the folder named sv.dat is gone"; return 1; }
    return 0
  fi
  (cd "$dir" && "$TOOL" sv decode >/dev/null 2>&1) || { echo "the sv.dat written at exit is not readable"; return 1; }
  [[ ";$expect;" == *";defaults;"* ]] && checks+=(Game.Options.Level=0 Game.Options.FastSpeed=2
    Game.Options.GameType=0 Game.Options.Animate=1 Game.Options.AutoSave=1 Game.Options.SoundOn=1
    Game.Options.FullScreen=0 "Game.CurrGame.Skins=[0 0 0 0 0 0]" 'Game.Scores.Table=""')
  IFS=';' read -ra items <<<"$expect"
  for item in "${items[@]}"; do [[ "$item" == *[=#]* ]] && checks+=("$item"); done
  for item in "${checks[@]}"; do
    key="${item%%[=#]*}" want="${item#*[=#]}"
    got=$(cd "$dir" && "$TOOL" sv get "$key" 2>/dev/null) || { echo "sv.dat has no $key"; return 1; }
    # KEY#N: a string with N line feeds (records of the table).
    [[ "$item" == "$key#"* ]] && got=$(grep -o '\\n' <<<"$got" | wc -l)
    [ "$got" = "$want" ] || { echo "sv.dat has $key=$got, not $want"; return 1; }
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

# Runs case N; writes "PASS ..." or "FAIL ..." or "SKIP ..." to its folder's result.
run_case() {  # run_case N KIND FILE PLACED EXPECT
  local kind="$2" file="$3" placed="$4" expect="$5" dir="$WORK/case-$1" game="$WORK/case-$1/game"
  local label="$kind $file -> $placed ($expect)" why status code
  result() { echo "$1 $label${2:+: $2}" >"$dir/result"; }
  mkdir -p "$dir"
  why=$(make_folder "$game" "$kind" "$file" "$placed")
  status=$?
  [ $status -eq 2 ] && { result SKIP "$why"; return; }
  [ $status -ne 0 ] && { result FAIL "$why"; return; }
  (cd "$game" && exec "$GAME") >"$dir/stdout.txt" 2>"$dir/stderr.txt" &
  local pid=$!
  if [[ "$expect" == fatal* ]]; then
    ends_within "$pid" $((60 * SLOW)) || { result FAIL "still running after $((60 * SLOW)) s"; return; }
    wait "$pid"; code=$?
    local message="Error: file $placed not found. Please reinstall game."
    if [ "$code" -ne 255 ]; then result FAIL "exit status $code, not 255"
    elif ! grep -qxF "$message" "$dir/stderr.txt"; then result FAIL "no line '$message' on standard error"
    elif [ -e "$game/sv.dat" ]; then result FAIL "a fatal error wrote sv.dat"
    else result PASS; fi
    return
  fi
  case "$kind" in sv | scores) sleep $((1 + LATE)) ;; wav) sleep $((3 + LATE)) ;; *) sleep $((8 + LATE)) ;; esac
  # A game blocked in a call (the open of a named pipe, say) is alive but still, and a quit request may
  # even free it: its processor time must go on growing (a running game uses some every second).
  local before after
  before=$(cpu_ticks "$pid")
  sleep 2
  after=$(cpu_ticks "$pid")
  if ! kill -0 "$pid" 2>/dev/null; then
    wait "$pid"; result FAIL "ended by itself with status $? before it was asked to quit"; return
  fi
  if [ -n "$before" ] && [ "$before" = "$after" ]; then
    result FAIL "made no progress for 2 s (blocked in $(cat "/proc/$pid/wchan" 2>/dev/null))"
    kill -KILL "$pid" 2>/dev/null; wait "$pid" 2>/dev/null; return
  fi
  kill -TERM "$pid"
  ends_within "$pid" $((20 * SLOW)) || { result FAIL "did not quit within $((20 * SLOW)) s of the request (hung?)"; return; }
  wait "$pid"; code=$?
  [ "$code" -eq 0 ] || { result FAIL "exit status $code, not 0"; return; }
  why=$(check_settings "$game" "$placed" "$file" "$expect") || { result FAIL "$why"; return; }
  result PASS
}

# ---- all cases, at most JOBS at once -----------------------------------------------------------------
trim() { local s="$1"; s="${s#"${s%%[![:space:]]*}"}"; echo "${s%"${s##*[![:space:]]}"}"; }
n=0 running=0 started=$SECONDS
while IFS= read -r line; do
  [[ "$line" =~ ^[[:space:]]*(#|$) ]] && continue
  [[ "$line" =~ $PATTERN ]] || continue
  IFS='|' read -r kind file placed expect _ <<<"$line"
  # (globbet_tests_bad_inputs checks that every line is whole and its file there.)
  kind=$(trim "$kind") file=$(trim "$file") placed=$(trim "$placed") expect=$(trim "$expect")
  n=$((n + 1))
  if [ "$running" -ge "$JOBS" ]; then wait -n; running=$((running - 1)); fi
  run_case "$n" "$kind" "$file" "$placed" "$expect" &
  running=$((running + 1))
done <"$CATALOGUE/cases.txt"
wait

passed=0 failed=0 skipped=0
for i in $(seq "$n"); do
  line=$(cat "$WORK/case-$i/result")
  echo "bad inputs: $line"
  case "$line" in
    PASS*) passed=$((passed + 1)) ;;
    SKIP*) skipped=$((skipped + 1)) ;;
    *) failed=$((failed + 1)); sed 's/^/    stderr: /' "$WORK/case-$i/stderr.txt" 2>/dev/null | head -15 ;;
  esac
done
echo "bad inputs: $passed passed, $failed failed, $skipped skipped in $((SECONDS - started)) s"
[ "$failed" -eq 0 ]
