#!/bin/bash
# End-to-end run of the self-playing demo and the replay in a real X server:  e2e_players.sh BUILD_DIR
#
# The game runs from a scratch folder of its own (links to the build's data files) with a settings
# file that turns the balls' decorative shine off, so that two pictures of a still board are the same,
# and a "replay.dat" recorded beforehand by 'globbet-tool record' (a short game). Through smoke.sh: the
# intro is clicked away; the demo button starts the demo, which plays for 20 seconds; a click into the
# field stops it and brings the player's game back without firing a shot; the replay button plays the
# recorded game; a key ends the replay and brings the player's game back again; the exit button quits
# with status 0. The pictures are then compared region by region (never a single pixel). Screenshots
# and the log go to BUILD_DIR/e2e/players/. Exits 0 when every check passed.
set -u
BUILD="${1:?usage: e2e_players.sh BUILD_DIR}"
BUILD=$(cd "$BUILD" && pwd)
HERE=$(cd "$(dirname "$0")" && pwd)
OUT="$BUILD/e2e/players"
# The sanitizer build: leaks of the system libraries SDL uses (D-Bus) are theirs, not the game's.
export LSAN_OPTIONS="suppressions=$HERE/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
export SDL_AUDIODRIVER="${SDL_AUDIODRIVER:-dummy}"  # no sound on the machine running the test
unset SDL_VIDEODRIVER

rm -rf "${OUT:?}"
mkdir -p "$OUT"
WORK=$(mktemp -d /tmp/globbet-players.XXXXXX) || exit 1
trap 'rm -rf "$WORK"' EXIT
FAILED=()
fail() { echo "players: FAIL: $*"; FAILED+=("$*"); }

# ---- the scratch folder ----
# Everything the game reads from its folder, linked; its own state files stay here.
for entry in "$BUILD/data"/*; do
  case "$(basename "$entry")" in sv.dat | currgame.dat | replay.dat) continue ;; esac
  ln -s "$entry" "$WORK/$(basename "$entry")"
done
if ! (cd "$WORK" && "$BUILD/globbet-tool" sv set Game.Options.Animate 0 >/dev/null); then
  echo "players: FAIL: could not write the settings file"
  exit 1
fi
# A strategy game at Master that ends after a few dozen shots.
if ! "$BUILD/globbet-tool" record "$WORK/replay.dat" 6 2 0 --data "$BUILD/data" >"$OUT/record.txt"; then
  echo "players: FAIL: globbet-tool record could not make the replay"
  exit 1
fi
echo "players: recorded $(head -2 "$OUT/record.txt" | tr '\n' ' ')"

# ---- the run ----
# Points: the intro click avoids the screen's centre (where Xvfb's pointer starts, and a move to where
# the pointer already is makes xdotool wait); the demo button at (615, 188) and the replay button at
# (580, 145) are clicked in their middles; (300, 330) lies inside the field.
"$HERE/smoke.sh" --out "$OUT" --cwd "$WORK" --wait 90 --expect-exit 0 \
  --do 'sleep 1' --do 'click 150 170' --do 'sleep 3' --do 'shot main.png' \
  --do 'click 647 205' --do 'sleep 2' --do 'shot demo-start.png' \
  --do 'sleep 8' --do 'shot demo-label-1.png' --do 'sleep 0.7' --do 'shot demo-label-2.png' \
  --do 'sleep 0.7' --do 'shot demo-label-3.png' --do 'sleep 8.6' --do 'shot demo-end.png' \
  --do 'click 300 330' --do 'sleep 2' --do 'shot stopped-1.png' --do 'sleep 3' --do 'shot stopped-2.png' \
  --do 'click 630 162' --do 'sleep 2' --do 'shot replay-start.png' --do 'sleep 0.7' \
  --do 'shot replay-label-2.png' --do 'sleep 0.7' --do 'shot replay-label-3.png' \
  --do 'sleep 4' --do 'shot replay-later.png' \
  --do 'key space' --do 'sleep 3' --do 'shot back.png' \
  --do 'click 775 14' --do 'sleep 2' \
  -- "$BUILD/globbet" || fail "the smoke run failed (see $OUT/smoke.log)"

# ---- the checks ----
FIELD=564x487+13+13     # the playing field
LAUNCHER=577x80+0+505   # the ball at the launcher, the waiting ball and the attempts between them
LABEL=150x35+627+325    # where the demo and replay labels show
LEVEL=170x40+610+360    # the level name in ball letters
SCORE=210x40+585+285    # the score counter

# Pixels of region (WxH+X+Y) where pictures A and B differ by more than 10 % in some channel.
differ() {  # differ A B REGION
  local n
  n=$(convert "$OUT/$1" "$OUT/$2" -crop "$3" +repage -compose difference -composite \
    -separate -evaluate-sequence max -threshold 10% -format '%[fx:round(mean*w*h)]' info: 2>/dev/null)
  [[ "$n" =~ ^[0-9]+$ ]] && echo "$n" || echo 999999
}
same() {  # same A B REGION MESSAGE: at most a few pixels differ
  local n
  n=$(differ "$1" "$2" "$3")
  [ "$n" -le 30 ] || fail "$4 ($n pixels of $3 differ between $1 and $2)"
}
changed() {  # changed A B REGION MESSAGE: a good part of a ball's worth differs
  local n
  n=$(differ "$1" "$2" "$3")
  [ "$n" -ge 300 ] || fail "$4 (only $n pixels of $3 differ between $1 and $2)"
}
# The label blinks, fading out and back: of three pictures taken 0.7 s apart, at least one shows it
# clearly.
label_shows() {  # label_shows A B C MESSAGE
  local picture n counts=""
  for picture in "$1" "$2" "$3"; do
    n=$(differ main.png "$picture" "$LABEL")
    [ "$n" -ge 300 ] && return
    counts+=" $n"
  done
  fail "$4 (only${counts} pixels of the label differ from the game's)"
}
# The player's game as it was before the demo: the board, the balls at the launcher, the attempts, the
# score, the level, and no label.
players_game() {  # players_game A WHEN
  same main.png "$1" "$FIELD" "the player's board is not as it was, $2"
  same main.png "$1" "$LAUNCHER" "the balls at the launcher are not as they were, $2"
  same main.png "$1" "$SCORE" "the score is not as it was, $2"
  same main.png "$1" "$LEVEL" "the level is not as it was, $2"
  same main.png "$1" "$LABEL" "a label still shows $2"
}

if [ ${#FAILED[@]} -eq 0 ]; then
  # The demo: it plays (the board changes over 20 seconds) under its label.
  changed demo-start.png demo-end.png "$FIELD" "the board did not change during the demo"
  label_shows demo-label-1.png demo-label-2.png demo-label-3.png "the demo label does not show"
  # The click into the field stops it and no shot is fired: the player's game comes back as it was
  # (a shot would have moved the balls at the launcher, and added a ball or scored), and stays so.
  players_game stopped-1.png "after the click that stopped the demo"
  same stopped-1.png stopped-2.png "$FIELD" "the board changed after the click that stopped the demo"
  same stopped-1.png stopped-2.png "$LAUNCHER" "a ball left the launcher after the click that stopped the demo"
  # The replay: the recorded game plays under its label, at the level it was played at.
  changed replay-start.png replay-later.png "$FIELD" "the board did not change during the replay"
  label_shows replay-start.png replay-label-2.png replay-label-3.png "the replay label does not show"
  changed main.png replay-later.png "$LEVEL" "the replay does not show the recorded game's level"
  # The key ends it: back to the player's game as it was.
  players_game back.png "after the key that ended the replay"
fi

if [ ${#FAILED[@]} -gt 0 ]; then
  echo "players: FAILED: ${#FAILED[@]} check(s) (screenshots and log in $OUT)"
  exit 1
fi
echo "players: passed (screenshots in $OUT)"
