#!/bin/bash
# Every end-to-end smoke run, each in its own Xvfb:  run_all.sh BUILD_DIR
# Screenshots and logs go to BUILD_DIR/e2e/<run>/. Exits 0 when every run passed.
set -u
BUILD="${1:?usage: run_all.sh BUILD_DIR}"
BUILD=$(cd "$BUILD" && pwd)
HERE=$(cd "$(dirname "$0")" && pwd)
SMOKE="$HERE/smoke.sh"
RESULTS="$BUILD/e2e"
mkdir -p "$RESULTS"
# The sanitizer build: leaks of the system libraries SDL uses (D-Bus) are theirs, not the game's.
export LSAN_OPTIONS="suppressions=$HERE/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
# The smoke runs must not play sound on the machine running them.
export SDL_AUDIODRIVER="${SDL_AUDIODRIVER:-dummy}"
unset SDL_VIDEODRIVER

FAILED=()
run() {  # run NAME SMOKE-ARGS...
  local name="$1"; shift
  echo "=== e2e: $name"
  rm -rf "${RESULTS:?}/$name"
  if "$SMOKE" --out "$RESULTS/$name" "$@"; then echo "=== e2e: $name passed"; else FAILED+=("$name"); fi
}

# 1. The game's window itself (through globbet-harness's test screen): a presented picture with its colours
#    the right way up, the rounded corner, clicks, typing, Enter's character, the drag by the right-hand
#    part, full screen and back, and Escape ending the loop cleanly.
run window --expect-exit 0 \
  --do 'shot start.png' --do 'pixel 400 50 ff0000' --do 'pixel 400 550 ff00ff' --do 'pixel 0 0 000000' \
  --do 'click 100 120' --do 'output ldown 100 120' --do 'output lup 100 120' \
  --do 'type ab' --do 'output char 97 0' --do 'output char 98 0' \
  --do 'key Return' --do 'output key 13 0' --do 'output char 13 0' \
  --do 'click 300 300' --do 'moved 0 0' \
  --do 'drag 700 20 750 60' --do 'moved 50 40' \
  --do 'key F4' --do 'output fullscreen 1' --do 'screen fullscreen.png' \
  --do 'key F4' --do 'output windowed 1' --do 'shot back.png' --do 'pixel 400 50 ff0000' \
  --do 'key Escape' \
  -- "$BUILD/globbet-harness" window show --ms 60000

# 2. The game as the start command runs it, from its data folder: the intro in its small rounded window,
#    a click into the main screen, three shots at fixed points, full screen and back with F4, and the
#    exit button ending it cleanly. The game resumes a stored one whose board has a band of one colour
#    under two mixed rows, and whose balls at the launcher and waiting are of that colour, so the first
#    two shots each remove a group whatever the timing (the ball colours drawn later depend on it).
#    (The intro click avoids the screen's centre, where Xvfb's pointer starts: a move to where the
#    pointer already is makes xdotool wait 15 s.)
rm -f "$BUILD/data/sv.dat" "$BUILD/data/currgame.dat" "$BUILD/data/replay.dat"
board=""
for cell in $(seq 0 271); do
  if [ "$cell" -lt 34 ]; then board+=" $((1 + cell % 5))"; elif [ "$cell" -lt 85 ]; then board+=" 0"; else board+=" -1"; fi
done
sv() { (cd "$BUILD/data" && "$BUILD/globbet-tool" sv set "$1" "$2" >/dev/null); }
sv Game.Options.NewGameNeeded 0 && sv GameOrig.Score 0 && sv GameOrig.ColorLeft 6 &&
  sv GameOrig.ColorsLeft "[0 1 2 3 4 5]" && sv GameOrig.GameBall 0 && sv GameOrig.WaitBall 0 &&
  sv GameOrig.MaxLeft 6 && sv GameOrig.Left 6 && sv GameOrig.Field "[${board# }]" ||
  { echo "game: could not write the stored game"; FAILED+=(game); }
run game --cwd "$BUILD/data" --expect-exit 0 \
  --do 'sleep 0.5' --do 'shot intro.png' --do 'geometry' --do 'pixel 0 0 000000' \
  --do 'click 150 170' --do 'sleep 1.5' --do 'shot main.png' --do 'geometry' \
  --do 'click 300 330' --do 'sleep 2.5' --do 'click 250 330' --do 'sleep 2.5' --do 'click 350 330' \
  --do 'sleep 2.5' --do 'shot shots.png' --do 'pixel 0 0 000000' --do 'pixel 799 599 000000' \
  --do 'pixel 300 450 ccccff' --do 'pixel 100 480 ccccff' \
  --do 'key F4' --do 'sleep 0.5' --do 'screen fullscreen.png' --do 'key F4' --do 'sleep 0.5' \
  --do 'shot back.png' --do 'click 775 14' --do 'sleep 1.5' \
  -- "$BUILD/globbet"
GAME="$RESULTS/game"
game_check() {  # game_check MESSAGE COMMAND...: records a failure of the game run unless COMMAND succeeds
  local message="$1"; shift
  "$@" || { echo "game: $message"; FAILED+=(game); }
}
size_is() { [ "$(convert "$1" -format '%wx%h' info: 2>/dev/null)" = "$2" ]; }
# The top row holds balls: most of its 17 cell centres show something other than the field's colour.
top_row_filled() {
  local n=0 c
  for c in $(seq 0 16); do
    [ "$(convert "$1" -format "%[hex:p{$((29 + 32 * c)),29}]" info: | cut -c1-6)" != CCCCFF ] && n=$((n + 1))
  done
  [ "$n" -ge 10 ]
}
# The score panel changed between the two pictures (a digit other than the lone 0 appeared).
score_changed() {
  local diff
  diff=$(compare -metric AE -crop 210x40+585+285 "$1" "$2" null: 2>&1 | cut -d' ' -f1)
  [ "${diff%.*}" -gt 20 ] 2>/dev/null
}
if [[ ! " ${FAILED[*]} " =~ " game " ]]; then
  game_check "the intro is not a 400 x 400 window" size_is "$GAME/intro.png" 400x400
  game_check "the intro shows no picture in its middle" \
    test "$(convert "$GAME/intro.png" -format '%[hex:p{200,200}]' info: | cut -c1-6)" != 000000
  game_check "the main screen is not 800 x 600" size_is "$GAME/shots.png" 800x600
  game_check "no balls in the top row" top_row_filled "$GAME/shots.png"
  game_check "the score still shows only 0 after the shots" score_changed "$GAME/main.png" "$GAME/shots.png"
  game_check "the window did not come back from full screen at 800 x 600" size_is "$GAME/back.png" 800x600
  grep -q "Globbet" "$GAME/smoke.log" || { echo "game: the window is not called Globbet"; FAILED+=(game); }
fi

# ---- the dialogs ----------------------------------------------------------------------------------------
# A stored strategy game (Novice, automatic resume on) with the score given, and a board filled down to
# row 14 with colours 1..5 that never touch their own colour; the balls at the launcher and waiting are
# of colour 0, which is on no ball of the board: any shot stays, lands in the bottom row and ends the game.
store_full_board() {  # store_full_board SCORE
  rm -f "$BUILD/data/sv.dat" "$BUILD/data/currgame.dat" "$BUILD/data/replay.dat"
  local full="" cell
  for cell in $(seq 0 271); do
    if [ "$cell" -lt 255 ]; then full+=" $((1 + cell % 5))"; else full+=" -1"; fi
  done
  sv Game.Options.NewGameNeeded 0 && sv Game.Options.AutoSave 1 && sv Game.Options.Level 0 &&
    sv Game.Options.GameType 0 && sv GameOrig.Score "$1" && sv GameOrig.ColorLeft 6 &&
    sv GameOrig.ColorsLeft "[0 1 2 3 4 5]" && sv GameOrig.GameBall 0 && sv GameOrig.WaitBall 0 &&
    sv GameOrig.MaxLeft 6 && sv GameOrig.Left 6 && sv GameOrig.Field "[${full# }]"
}
# The number of pixels of the top ten's text colour in a window area of a picture.
text_pixels() {  # text_pixels FILE WxH+X+Y
  convert "$1" -crop "$2" +repage -fuzz 6% -fill red -opaque '#3131BA' -fill black +opaque red \
    -fill white -opaque red -format '%[fx:round(mean*w*h)]' info: 2>/dev/null
}
sv_get() { (cd "$BUILD/data" && "$BUILD/globbet-tool" sv get "$1" 2>/dev/null); }
check() {  # check RUN MESSAGE COMMAND...: records a failure of RUN unless COMMAND succeeds
  local name="$1" message="$2"; shift 2
  "$@" || { echo "$name: $message"; FAILED+=("$name"); }
}

# 3. The end of a game: one shot ends it, the result dialog takes the name "Zed" (the name offered is
#    erased first) and Enter files it; the top ten then lists it (the picture shows name and score), and
#    the exit button saves it into "sv.dat" with today's date under code 1 and the total 1234.
if store_full_board 1234; then
  run result --cwd "$BUILD/data" --expect-exit 0 \
    --do 'sleep 0.5' --do 'click 150 170' --do 'sleep 1.5' --do 'shot main.png' \
    --do 'click 294 480' --do 'sleep 5' --do 'shot result.png' \
    --do 'key BackSpace BackSpace BackSpace BackSpace BackSpace BackSpace BackSpace BackSpace' \
    --do 'type Zed' --do 'sleep 0.3' --do 'shot name.png' --do 'key Return' --do 'sleep 1.5' \
    --do 'click 755 122' --do 'sleep 2' --do 'shot top10.png' \
    --do 'click 402 482' --do 'sleep 1.5' --do 'click 775 14' --do 'sleep 1.5' \
    -- "$BUILD/globbet"
  if [[ ! " ${FAILED[*]} " =~ " result " ]]; then
    R="$RESULTS/result"
    table=$(sv_get Game.Scores.Table)
    check result "the table holds no record of Zed with 1234 under code 1 ($table)" \
      grep -qE '[0-9]+-[0-9]+-[0-9]+\\tZed\\t1\\t1234' <<<"$table"
    check result "the first row of the top ten shows no text" test "$(text_pixels "$R/top10.png" 320x25+242+152)" -gt 50
    check result "the second row of the top ten is not empty" test "$(text_pixels "$R/top10.png" 320x25+242+183)" -lt 5
  fi
else
  echo "result: could not write the stored game"; FAILED+=(result)
fi

# 4. Options during a game: Expert is chosen and OK asks "START NEW GAME ?"; No keeps the game (score
#    500) and the level stays Novice, as the saved settings show after the exit button.
if store_full_board 500; then
  run options --cwd "$BUILD/data" --expect-exit 0 \
    --do 'sleep 0.5' --do 'click 150 170' --do 'sleep 1.5' \
    --do 'click 729 64' --do 'sleep 1.5' --do 'shot options.png' \
    --do 'click 222 434' --do 'sleep 0.3' --do 'shot expert.png' --do 'click 320 512' --do 'sleep 2' \
    --do 'shot question.png' --do 'click 470 375' --do 'sleep 1.5' --do 'shot after.png' \
    --do 'click 775 14' --do 'sleep 1.5' \
    -- "$BUILD/globbet"
  if [[ ! " ${FAILED[*]} " =~ " options " ]]; then
    O="$RESULTS/options"
    check options "the level is not Novice after No" test "$(sv_get Game.Options.Level)" = 0
    check options "the game did not keep its score" test "$(sv_get GameOrig.Score)" = 500
    check options "the question did not appear over the options" \
      test "$(compare -metric AE -crop 340x300+230+150 "$O/expert.png" "$O/question.png" null: 2>&1 | cut -d' ' -f1 | cut -d. -f1)" -gt 1000
  fi
else
  echo "options: could not write the stored game"; FAILED+=(options)
fi

# 5. Help: the first page, the next page (a different text), and Enter closing it.
rm -f "$BUILD/data/sv.dat" "$BUILD/data/currgame.dat" "$BUILD/data/replay.dat"
run help --cwd "$BUILD/data" --expect-exit 0 \
  --do 'sleep 0.5' --do 'click 150 170' --do 'sleep 1.5' \
  --do 'click 709 12' --do 'sleep 1.5' --do 'shot page1.png' \
  --do 'click 697 410' --do 'sleep 1.5' --do 'shot page2.png' \
  --do 'key Return' --do 'sleep 1' --do 'shot closed.png' --do 'click 775 14' --do 'sleep 1.5' \
  -- "$BUILD/globbet"
if [[ ! " ${FAILED[*]} " =~ " help " ]]; then
  H="$RESULTS/help"
  check help "the next page shows the same text" \
    test "$(compare -metric AE -crop 600x300+100+130 "$H/page1.png" "$H/page2.png" null: 2>&1 | cut -d' ' -f1 | cut -d. -f1)" -gt 1000
fi

if [ ${#FAILED[@]} -gt 0 ]; then
  echo "e2e: FAILED: ${FAILED[*]} (logs in $RESULTS)"
  exit 1
fi
echo "e2e: all passed (screenshots in $RESULTS)"
