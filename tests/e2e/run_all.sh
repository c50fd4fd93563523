#!/bin/bash
# The end-to-end runs in a real X server, each in its own Xvfb:  run_all.sh BUILD_DIR
# Screenshots and logs go to BUILD_DIR/e2e/<run>/. Exits 0 when every run passed. What a screen or
# dialog does with its input is the in-process program scenarios' part; here the window, the input and
# the pictures go through the display.
set -u
. "$(dirname "$0")/../checks/common.sh" e2e "BUILD_DIR" "$@"
RESULTS="$BUILD/e2e"
mkdir -p "$RESULTS"
# The sanitizer build: leaks of the system libraries SDL uses (D-Bus) are theirs, not the game's.
export LSAN_OPTIONS="suppressions=$SOURCE/tests/e2e/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
# The smoke runs must not play sound on the machine running them.
export SDL_AUDIODRIVER="${SDL_AUDIODRIVER:-dummy}"
# The window manager's close in the runs (smoke.sh wmclose) is sent by the harness.
export GLOBBET_HARNESS="$HARNESS"
unset SDL_VIDEODRIVER

FAILED=()
run() {  # run NAME SMOKE-ARGS...
  local name="$1"; shift
  echo "=== e2e: $name"
  rm -rf "${RESULTS:?}/$name"
  if "$SOURCE/tests/e2e/smoke.sh" --out "$RESULTS/$name" "$@"; then echo "=== e2e: $name passed"; else FAILED+=("$name"); fi
}
check() {  # check RUN MESSAGE COMMAND...: records a failure of RUN unless COMMAND succeeds
  local name="$1" message="$2"; shift 2
  "$@" || { echo "$name: $message"; FAILED+=("$name"); }
}

# 1. The game's window itself (through globbet-harness's test screen): a presented picture with its
#    colours the right way up, the rounded corner, clicks, typing, Enter's character, the drag by the
#    right-hand part, full screen and back, and Escape ending the loop cleanly.
run window --expect-exit 0 \
  --do 'shot start.png' --do 'pixel 400 50 ff0000' --do 'pixel 400 550 ff00ff' --do 'pixel 0 0 000000' \
  --do 'click 100 120' --do 'output ldown 100 120' --do 'output lup 100 120' \
  --do 'type ab' --do 'output char 97 0' --do 'output char 98 0' \
  --do 'key Return' --do 'output key 13 0' --do 'output char 13 0' \
  --do 'click 300 300' --do 'moved 0 0' \
  --do 'drag 700 20 750 60' --do 'moved 50 40' \
  --do 'key F4' --do 'output fullscreen 1' \
  --do 'key F4' --do 'output windowed 1' --do 'shot back.png' --do 'pixel 400 50 ff0000' \
  --do 'key Escape' \
  -- "$HARNESS" window show --ms 60000

# 2. The game as the start command runs it, from its data folder, resuming a stored game (common.sh's
#    band, so that the first shots each remove a group whatever the timing): the intro in its small
#    rounded window, a click into the main screen, three shots at fixed points, full screen and back
#    with F4, the demo started from its button and stopped by a click into the field, which brings the
#    player's game back without firing a shot, the help opened by its button showing the focus ring's
#    dark outer line left of its close button after Shift+Tab and closing on Escape, and the exit button
#    ending it cleanly; the window's properties as the desktop reads them. (The intro click
#    avoids the screen's centre, where Xvfb's pointer starts: a move to where the pointer already is
#    makes xdotool wait 15 s.)
if store_game "$BUILD/data"; then
  PLAY=580x600+0+0  # the field and the launcher row: each step waits until it took effect there
  run game --cwd "$BUILD/data" --expect-exit 0 --wait 120 \
    --do 'sleep 0.5' --do 'shot intro.png' --do 'pixel 0 0 000000' --do 'click 150 170' --do 'size 800x600' --do 'props props.txt' \
    --do "settle $PLAY" --do 'shot main.png' --do 'click 300 330' --do changed --do "settle $PLAY" \
    --do 'click 250 330' --do changed --do "settle $PLAY" --do 'click 350 330' --do changed --do "settle $PLAY" \
    --do 'shot shots.png' --do 'pixel 0 0 000000' --do 'pixel 799 599 000000' \
    --do 'pixel 300 450 ccccff' --do 'pixel 100 480 ccccff' \
    --do 'key F4' --do 'size 1280x1024' --do 'key F4' --do 'size 800x600' --do "settle $PLAY" \
    --do 'shot back.png' --do 'click 647 205' --do changed --do 'sleep 8' --do 'shot demo.png' \
    --do 'click 300 330' --do 'sleep 1' --do "settle $PLAY" --do 'shot stopped.png' \
    --do 'click 708 12' --do 'sleep 1.5' --do 'key shift+Tab' --do 'sleep 0.5' --do 'shot help.png' \
    --do 'pixel 510 455 26267a' --do 'key Escape' --do 'sleep 1' --do 'click 775 14' \
    -- "$GAME"
else
  echo "game: could not write the stored game"; FAILED+=(game)
fi
G="$RESULTS/game"
size_is() { [ "$(convert "$1" -format '%wx%h' info: 2>/dev/null)" = "$2" ]; }
# The top row holds balls: most of its 17 cell centres (x = 29 + 32 c, y = 29) show something other than
# the field's colour.
top_row_filled() {
  [ "$(convert "$1" -crop 513x1+29+29 +repage txt:- | awk -F'[,:]' 'NR > 1 && $1 % 32 == 0 && toupper($0) !~ /#CCCCFF/' | wc -l)" -ge 10 ]
}
# Pixels of REGION (WxH+X+Y) where pictures A and B (paths) differ by more than 10 % in some channel (the
# score's digits, a ball that moved).
differing() {
  local n
  n=$(convert "$1" "$2" -crop "$3" +repage -compose difference -composite \
    -separate -evaluate-sequence max -threshold 10% -format '%[fx:round(mean*w*h)]' info: 2>/dev/null)
  [[ "$n" =~ ^[0-9]+$ ]] && echo "$n" || echo 999999
}
differ() { differing "$G/$1" "$G/$2" "$3"; }  # differ A B REGION: pictures of the game run
FIELD=564x487+13+13 LAUNCHER=577x80+0+505 SCORE=210x40+585+285
if [[ ! " ${FAILED[*]} " =~ " game " ]]; then
  check game "the intro is not a 400 x 400 window" size_is "$G/intro.png" 400x400
  # A window whose drawing never reached the display shows one or two plain colours.
  check game "the intro shows no picture" test "$(convert "$G/intro.png" -format '%k' info:)" -gt 1000
  check game "the main screen is not 800 x 600" size_is "$G/shots.png" 800x600
  check game "no balls in the top row" top_row_filled "$G/shots.png"
  check game "the score still shows only 0 after the shots" test "$(differ main.png shots.png "$SCORE")" -gt 20
  check game "the window is not called Globbet" grep -q "Globbet" "$G/smoke.log"
  # The desktop ties the window to the menu entry by its class and shows its icon; a window transient
  # for another it takes for a dialog.
  check game "the window's class, icon or standing is not the menu entry's: $(tr '\n' ' ' <"$G/props.txt")" test \
    "$(cat "$G/props.txt")" = "$(printf '%s\n' 'WM_CLASS(STRING) = "example.globbet.Globbet", "example.globbet.Globbet"' \
      'WM_TRANSIENT_FOR:  not found.' '_NET_WM_ICON(CARDINAL) = 64, 64')"
  check game "the board did not change during the demo" test "$(differ back.png demo.png "$FIELD")" -ge 300
  check game "the player's board is not back after the demo" test "$(differ back.png stopped.png "$FIELD")" -le 30
  check game "the click that stopped the demo fired a shot" \
    test "$(differ back.png stopped.png "$LAUNCHER")" -le 30
fi

# 3. The desktop's close of the window during a game with a score, the automatic save turned off in the
#    options (the switch at (302, 162), OK at (320, 512)): the quit question shows in the middle, and a
#    second close ends the game cleanly.
if store_game "$BUILD/data" && (cd "$BUILD/data" && "$TOOL" sv set GameOrig.Score 120 >/dev/null); then
  run wmclose --cwd "$BUILD/data" --expect-exit 0 --wait 120 \
    --do 'sleep 0.5' --do 'click 150 170' --do 'size 800x600' --do 'click 729 64' --do 'sleep 1' \
    --do 'click 302 162' --do 'click 320 512' --do 'sleep 1' --do 'settle 580x600+0+0' --do 'shot main.png' \
    --do 'wmclose' --do 'sleep 1.5' --do 'shot asked.png' --do 'wmclose' \
    -- "$GAME"
  G="$RESULTS/wmclose"
  [[ " ${FAILED[*]} " =~ " wmclose " ]] ||
    check wmclose "the first close did not ask" test "$(differ main.png asked.png 336x300+232+150)" -ge 2000
else
  echo "wmclose: could not write the stored game"; FAILED+=(wmclose)
fi

# 4. The desktop's close while the result dialog is open: a stored game one shot from its end (two balls
#    of the last colour at the top; the shot at (60, 100) lands beside them), the name typed over the one
#    offered, with a letter beyond ASCII, and the close files the result under that name.
NEAR="[0 0$(printf ' -1%.0s' $(seq 3 272))]"
if store_game "$BUILD/data" && (cd "$BUILD/data" && "$TOOL" sv set GameOrig.Field "$NEAR" >/dev/null &&
  "$TOOL" sv set GameOrig.ColorsLeft "[0]" >/dev/null && "$TOOL" sv set GameOrig.ColorLeft 1 >/dev/null); then
  run resultclose --cwd "$BUILD/data" --expect-exit 0 --wait 120 \
    --do 'sleep 0.5' --do 'click 150 170' --do 'size 800x600' --do 'settle 580x600+0+0' \
    --do 'click 60 100' --do 'sleep 4' --do 'type Zoë' --do 'sleep 0.5' --do 'shot result.png' --do 'wmclose' \
    -- "$GAME"
  [[ " ${FAILED[*]} " =~ " resultclose " ]] ||
    check resultclose "the close did not file the result under the name typed" \
      env LC_ALL=C grep -q "$(printf 'Zo\xeb')" <(cd "$BUILD/data" && "$TOOL" sv decode)
else
  echo "resultclose: could not write the stored game"; FAILED+=(resultclose)
fi

# 5. The window at 2x (the window size option): the intro's window twice its size, the main screen's
#    pixels the 1x run's picture enlarged, before and after full screen, and clicks at twice the points
#    opening the options (the button at (729, 64)) and ending the game (the exit button at (775, 14)).
if store_game "$BUILD/data" && (cd "$BUILD/data" && "$TOOL" sv set Game.Options.WindowSize 2 >/dev/null); then
  run scaled --cwd "$BUILD/data" --screen 1800x1400 --expect-exit 0 --wait 120 \
    --do 'sleep 0.5' --do 'shot intro.png' --do 'click 300 340' --do 'size 1600x1200' \
    --do 'settle 1160x1200+0+0' --do 'shot main.png' \
    --do 'key F4' --do 'size 1800x1400' --do 'key F4' --do 'size 1600x1200' --do 'settle 1160x1200+0+0' \
    --do 'shot back.png' --do 'settle 1600x1200+0+0' --do 'click 1458 128' --do 'sleep 1.5' \
    --do 'key Escape' --do 'sleep 1' --do 'click 1550 28' \
    -- "$GAME"
  S="$RESULTS/scaled"
  # Pixels of a 2x picture that differ from the 1x run's main screen enlarged pixel by pixel.
  unlike_1x() {
    convert "$RESULTS/game/main.png" -sample 200% "$S/main-1x-enlarged.png" 2>/dev/null
    differing "$S/main-1x-enlarged.png" "$S/$1" 1600x1200+0+0
  }
  if [[ ! " ${FAILED[*]} " =~ " scaled " ]]; then
    check scaled "the intro is not an 800 x 800 window" size_is "$S/intro.png" 800x800
    if [[ ! " ${FAILED[*]} " =~ " game " ]]; then
      check scaled "the 2x main screen is not the 1x picture enlarged" test "$(unlike_1x main.png)" -le 30
      check scaled "after full screen the 2x window is not the 1x picture enlarged" test "$(unlike_1x back.png)" -le 30
    fi
  fi
else
  echo "scaled: could not write the stored game"; FAILED+=(scaled)
fi

# 6. A whole game aimed by the keyboard, then the same game clicked: a stored game of three pairs of one
#    colour along the top, each cleared by a shot of that colour. The keyboard run shoots straight up
#    (Up), 15 steps to the left (Left x 15, Up) and 15 to the right of the start (Right x 30, Up); the
#    click run clicks the points of those aims on the aiming area's top edge (y = 14; the launcher's
#    centre is (294, 547)). Each shot must leave the same board, the game the same result, and the
#    keyboard's aim must show its guide before its shot.
PAIRS=$(for cell in $(seq 0 271); do case $cell in 2 | 3 | 8 | 9 | 14 | 15) printf ' 0' ;; *) printf ' -1' ;; esac; done)
# aimed_run NAME SHOT-STEPS...: the stored game played by the steps, then its result filed (Enter) and the
# table that opens closed; the stored table's text goes to NAME/scores.txt.
aimed_run() {
  local name="$1"; shift
  if ! store_game "$BUILD/data" || ! (cd "$BUILD/data" && "$TOOL" sv set GameOrig.Field "[${PAIRS# }]" >/dev/null &&
    "$TOOL" sv set GameOrig.ColorsLeft "[0]" >/dev/null && "$TOOL" sv set GameOrig.ColorLeft 1 >/dev/null); then
    echo "$name: could not write the stored game"; FAILED+=("$name"); return
  fi
  run "$name" --cwd "$BUILD/data" --expect-exit 0 --wait 120 \
    --do 'sleep 0.5' --do 'click 150 170' --do 'size 800x600' --do "settle $PLAY" "$@" \
    --do 'sleep 4' --do 'shot result.png' --do 'key Return' --do 'sleep 1.5' --do 'key Escape' \
    --do 'sleep 1' --do 'click 775 14' \
    -- "$GAME"
  (cd "$BUILD/data" && "$TOOL" sv get Game.Scores.Table) >"$RESULTS/$name/scores.txt" 2>&1
}
keys() { printf "$1 %.0s" $(seq "$2"); }
# A shot fired, then the pointer moved off the field (the second time to another point, or it would not
# move), which takes the keyboard's guide away.
LANDED1=(--do changed --do 'move 560 560' --do "settle $PLAY")
LANDED2=(--do changed --do 'move 560 570' --do "settle $PLAY")
aimed_run keyboard --do 'key Up' "${LANDED1[@]}" --do 'shot 1.png' --do "key $(keys Left 15)" --do "settle $PLAY" \
  --do 'shot guide.png' --do 'key Up' "${LANDED2[@]}" --do 'shot 2.png' --do "key $(keys Right 30)Up"
aimed_run clicked --do 'click 294 14' "${LANDED1[@]}" --do 'shot 1.png' --do 'click 151 14' "${LANDED2[@]}" \
  --do 'shot 2.png' --do 'click 437 14'
if [[ ! " ${FAILED[*]} " =~ " keyboard " && ! " ${FAILED[*]} " =~ " clicked " ]]; then
  K="$RESULTS/keyboard"
  unlike() { differing "$K/$1" "$2" "$3"; }  # unlike FILE OTHER REGION: FILE of the keyboard run
  C="$RESULTS/clicked"
  for shot in 1 2; do
    check keyboard "the keyboard's shot $shot left another board than its click" \
      test "$(unlike $shot.png "$C/$shot.png" "$FIELD")" -le 30
  done
  check keyboard "the keyboard's game ended in another result than the clicked one" \
    test "$(unlike result.png "$C/result.png" 800x600+0+0)" -le 30
  score_of() { sed 's/\\n.*//; s/.*\\t//' "$1"; }  # the first row's score in the stored text
  check keyboard "the results filed differ: $(cat "$K/scores.txt") against $(cat "$C/scores.txt")" \
    test "$(score_of "$K/scores.txt")" = "$(score_of "$C/scores.txt")"
  check keyboard "no result was filed: $(cat "$K/scores.txt")" grep -q '[1-9]' "$K/scores.txt"
  # The guide's dots lie along the aim, 15 degrees left of straight up, from the launcher to y 400.
  check keyboard "the keyboard's aim shows no guide" test "$(unlike guide.png "$K/1.png" 100x140+220+400)" -ge 20
fi

# 7. A top-ten row watched: a Master strategy game played by the demo's choice (globbet-tool record) is
#    kept as the recording of a row of the Master strategy table, in the file the game names for it
#    (globbet-tool sv records). The top ten opened by its button shows the Novice table; Right twice
#    turns to Master, Down marks the row and Enter plays it: its caption shows the name and score on the
#    panel, the game plays to its end with no key pressed, and the table comes back as it was (the
#    dialog's picture; the score's digit under it drops in once the table closes).
WATCH_FILE="$RESULTS/watch.dat"
mkdir -p "$RESULTS"
# keep_watched: the table with the one row and its recording in place.
keep_watched() {
  local score file
  "$TOOL" record "$WATCH_FILE" 6 2 0 --data "$BUILD/data" >"$RESULTS/watch.txt" &&
    score=$(awk '$1 == "score" {print $2}' "$RESULTS/watch.txt") && [ -n "$score" ] &&
    (cd "$BUILD/data" && rm -rf records && "$TOOL" sv set Game.Scores.Table "\"7-12-126\tAda\t3\t$score\n\"" >/dev/null) &&
    file=$(cd "$BUILD/data" && "$TOOL" sv records | awk '$1 == 3 && $2 == 1 {print $4}') && [ -n "$file" ] &&
    mkdir -p "$BUILD/data/$(dirname "$file")" && cp "$WATCH_FILE" "$BUILD/data/$file"
}
if store_game "$BUILD/data" && keep_watched; then
  run watch --cwd "$BUILD/data" --expect-exit 0 --wait 240 \
    --do 'sleep 0.5' --do 'click 150 170' --do 'size 800x600' --do "settle $PLAY" --do 'click 754 121' \
    --do 'sleep 1.5' --do 'key Right' --do 'key Right' --do 'key Down' --do 'sleep 0.5' \
    --do 'settle 800x600+0+0' --do 'shot table.png' --do 'key Return' --do changed --do 'sleep 3' \
    --do 'shot watching.png' --do 'back table.png 320x520+245+40' --do 'key Escape' --do 'sleep 1' --do 'click 775 14' \
    -- "$GAME"
  W="$RESULTS/watch"
  # The caption: white text on the panel, below the mode badge.
  [[ " ${FAILED[*]} " =~ " watch " ]] || check watch "no caption while the row plays" \
    test "$(convert "$W/watching.png" -crop 196x38+592+498 +repage -fill black +opaque white \
      -format '%[fx:round(mean*w*h)]' info:)" -ge 40
else
  echo "watch: could not keep a recording for the top ten"; FAILED+=(watch)
fi

if [ ${#FAILED[@]} -gt 0 ]; then
  echo "e2e: FAILED: ${FAILED[*]} (logs in $RESULTS)"
  exit 1
fi
echo "e2e: all passed (screenshots in $RESULTS)"
