#!/usr/bin/env bash
# Takes the README's screenshots with the end-to-end smoke script, in an X server of its own:
#   docs/screenshot-main.png     the main screen in play, after two shots that burst groups
#   docs/screenshot-options.png  the options dialog over it
#   docs/screenshot-help.png     the help's first page
#   docs/screenshot-help-keys.png  its second and last page, which ends with the keys
#   docs/screenshot-top-ten.png  the top ten of the level played, with seven results, the second
#                                marked to be watched and the last without its recording (greyed)
#
#   scripts/screenshots.sh [BUILD_DIR]
#
# Without BUILD_DIR it builds build/release first (as play.sh does); with it, it uses that build as it
# is. The game runs in a scratch folder linked to the build's data, so no state file of the build is
# touched.
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$(pwd)

if [ $# -ge 1 ]; then
  BUILD=$(cd "$1" && pwd)
else
  JOBS=$(nproc 2>/dev/null || echo 2)
  bash scripts/deps.sh
  cmake -S . -B build/release -DCMAKE_BUILD_TYPE=RelWithDebInfo
  cmake --build build/release -j"$JOBS" --target globbet_game
  BUILD="$ROOT/build/release"
fi
if [ ! -x "$BUILD/globbet" ] || [ ! -d "$BUILD/data/clp" ]; then
  echo "screenshots: no built game in $BUILD" >&2
  exit 1
fi

WORK=$(mktemp -d "${TMPDIR:-/tmp}/globbet-screenshots.XXXXXX")
trap 'rm -rf "$WORK"' EXIT
mkdir -p "$WORK/player"
ln -s "$BUILD/data/clp" "$WORK/player/clp"
ln -s "$BUILD/data/wav" "$WORK/player/wav"

# The board of a fresh game, resumed as a stored game whose ball at the launcher is blue and whose next
# ball is sky blue: the two shots below each burst a group of six and drop a ball, so the picture shows
# a game in play with a score. (Balls drawn later depend on the timing; the picture is taken first.)
FIELD="4 4 2 4 4 1 3 1 4 4 4 2 1 1 0 4 0 3 5 3 5 1 2 5 2 5 0 3 1 4 3 1 1 1 2 2 1 5 3 0 3 2 2 0 0 3 2 0 5 1
  3 4 1 4 0 0 5 4 4 1 3 1 0 3 4 0 5 3 2 1 5 1 5 4 5 5 2 2 4 2 0 0 2 0 3 1 2 0 4 1 2 1 1 5 5 1 5 0 4 3
  5 1 3 1 2 1 5 1 2 3 2 4 0 4 0 4 1 5 2 4 2 1 4 3 1 4 0 2 0 0 1 2 5 2 1 4 5 4 4 4 3 0 2 4 5 1 3 5 0 0
  3 3 5"
FIELD=$(tr -s ' \n' '  ' <<<"$FIELD")
FIELD=${FIELD% }
for _ in $(seq $((272 - $(wc -w <<<"$FIELD")))); do FIELD+=" -1"; done
sv() { (cd "$WORK/player" && "$BUILD/globbet-tool" sv set "$1" "$2" >/dev/null); }
sv Game.Options.NewGameNeeded 0 && sv GameOrig.Score 0 && sv GameOrig.ColorLeft 6 &&
  sv GameOrig.ColorsLeft "[0 1 2 3 4 5]" && sv GameOrig.GameBall 4 && sv GameOrig.WaitBall 1 &&
  sv GameOrig.MaxLeft 6 && sv GameOrig.Left 6 && sv GameOrig.Field "[$FIELD]"
# Seven results of Novice strategy (level code 1), one name with a letter beyond ASCII.
TABLE=""
day=1
for result in "Ada 412870" "Zo$(printf '\xeb') 388410" "Bartholomew 301250" "Mika 287600" "Novice 210030" \
  "Rune 150220" "Sam 98340"; do
  day=$((day + 1))
  TABLE+="$day-11-126\t${result% *}\t1\t${result#* }\n"
done
sv Game.Scores.Table "\"$TABLE\""
# Every result but the last keeps the recording of its game (one game recorded by the demo's choice),
# so the table shows watchable rows and one greyed.
"$BUILD/globbet-tool" record "$WORK/game.dat" 1 0 0 --data "$BUILD/data" >/dev/null
(cd "$WORK/player" && "$BUILD/globbet-tool" sv records) | awk '$1 == 1 && $2 < 7 {print $4}' | while read -r file; do
  mkdir -p "$WORK/player/$(dirname "$file")" && cp "$WORK/game.dat" "$WORK/player/$file"
done

# The intro, a click into the main screen (away from the screen's centre, where the pointer starts),
# the two shots, then the options button and Escape to leave the dialog unchanged, then the help button
# and both pages of the help (its next-page button at the dialog's (605, 343), the dialog at (75, 50)),
# then the top ten with its second row marked.
export SDL_AUDIODRIVER=dummy
unset SDL_VIDEODRIVER
bash tests/e2e/smoke.sh --out "$WORK/shots" --cwd "$WORK/player" \
  --do 'sleep 0.5' --do 'click 150 170' --do 'sleep 1.5' \
  --do 'click 182 400' --do 'sleep 3' --do 'click 104 350' --do 'sleep 3' \
  --do 'move 560 560' --do 'sleep 0.3' --do 'shot main.png' \
  --do 'click 728 62' --do 'sleep 1.5' --do 'shot options.png' \
  --do 'key Escape' --do 'sleep 0.5' \
  --do 'click 709 12' --do 'sleep 1.5' --do 'shot help-1.png' \
  --do 'click 697 410' --do 'sleep 1' --do 'shot help-2.png' \
  --do 'key Escape' --do 'sleep 0.5' \
  --do 'click 754 121' --do 'sleep 1.5' --do 'key Down' --do 'key Down' --do 'sleep 0.5' --do 'shot top-ten.png' --do 'key Escape' --do 'sleep 0.5' --do 'close' \
  -- "$BUILD/globbet"

mkdir -p docs
# shot:docs name[:crop]; the help is cut out of the window (the dialog, 650 x 500 at (75, 50)).
for entry in main:main options:options help-1:help:650x500+75+50 help-2:help-keys:650x500+75+50 top-ten:top-ten; do
  IFS=: read -r shot name crop <<<"$entry"
  [ -s "$WORK/shots/$shot.png" ] || { echo "screenshots: no $shot.png taken" >&2; exit 1; }
  # Without ImageMagick's time stamps, so that an unchanged picture makes no change in git.
  convert "$WORK/shots/$shot.png" ${crop:+-crop "$crop" +repage} -strip "docs/screenshot-$name.png"
  echo "screenshots: docs/screenshot-$name.png"
done
