#!/bin/bash
# Rewrites the expected ends in tests/replays/manifest.txt. Run it by hand, and only when the game's
# rules change on purpose (a changed rule changes how recorded games end); the tests never run it.
#
#   tests/replays/regenerate.sh BUILD_DIR            replays every recording with BUILD_DIR/globbet-tool
#                                                    'replay verify' and writes its score, shots and hash
#   tests/replays/regenerate.sh BUILD_DIR --record   first records every game anew from its seed, level,
#                                                    mode and speed ('globbet-tool record'), for rules
#                                                    under which the old recordings no longer play
#
# Only the first five columns of a line are read (file seed level mode speed): a new game is added by
# writing those and running the script. Check the diff of the manifest before committing it.
set -euo pipefail

build=${1:?usage: regenerate.sh BUILD_DIR [--record]}
record=${2:-}
here=$(cd "$(dirname "$0")" && pwd)
tool="$build/globbet-tool"
manifest="$here/manifest.txt"
[ -x "$tool" ] || { echo "no globbet-tool in $build (build the target globbet-tool)" >&2; exit 1; }
[ -z "$record" ] || [ "$record" = --record ] || { echo "unknown option $record" >&2; exit 1; }

new=$(mktemp)
trap 'rm -f "$new"' EXIT
while IFS= read -r line; do
  if [[ -z "$line" || "$line" == \#* ]]; then
    echo "$line" >>"$new"
    continue
  fi
  read -r file seed level mode speed _ <<<"$line"
  if [ -n "$record" ]; then
    "$tool" record "$here/$file" "$seed" "$level" "$mode" --speed "$speed" >/dev/null
  fi
  out=$("$tool" replay verify "$here/$file")
  score=$(awk '$1 == "score" {print $2}' <<<"$out")
  shots=$(awk '$1 == "shots" {print $2}' <<<"$out")
  hash=$(awk '$1 == "hash" {print $2}' <<<"$out")
  printf '%-28s %4s %5s %4s %5s %7s %5s %s\n' "$file" "$seed" "$level" "$mode" "$speed" "$score" "$shots" \
    "$hash" >>"$new"
  echo "$file: score $score, shots $shots, hash $hash"
done <"$manifest"
cp "$new" "$manifest"
