#!/bin/bash
# The game's own pages in a real browser (chromium, headless):  pages.sh BUILD_DIR
# The about page shows the build's version; the results page shows the result the game's own encoder
# made digits of, its Latin-1 name included, whether the digits come in the query or the fragment; damaged
# digits show the damage message instead of a card. Skipped when chromium is not installed.
set -u
. "$(dirname "$0")/../checks/common.sh" e2e_pages "BUILD_DIR" "$@"
command -v chromium >/dev/null || { echo "e2e_pages: skipped: chromium is not installed"; exit 77; }
PROFILE=$(mktemp -d) && trap 'rm -rf "$PROFILE"' EXIT

shows() {  # shows PAGE TEXT...: a failure unless the page, after its script ran, holds every text
  local text page=$(timeout 60 chromium --headless --no-sandbox --disable-gpu --user-data-dir="$PROFILE" --dump-dom "file://$BUILD/data/pages/$1" 2>/dev/null)
  for text in "${@:2}"; do grep -qF -- "$text" <<<"$page" || fail "$1 does not show '$text'"; done
}

shows about.html "<strong id=\"version\">$("$TOOL" --version | awk '{print $NF}')</strong>"
# Arcade Master is level code 6; the name's 0xE4 is Latin-1's a-umlaut.
DIGITS=$("$TOOL" results encode 123456 6 $'N\xe4me 8-bit')
shows "results.html?e=$DIGITS" '<td id="name">Näme 8-bit</td>' '<td id="score" class="score">123456</td>' '<td id="level">Master</td>' '<td id="mode">Arcade</td>'
shows "results.html#e=$DIGITS" '<td id="name">Näme 8-bit</td>' '<td id="score" class="score">123456</td>'
# The last digit one up: a check byte no longer matches (or the last group passes 255).
shows "results.html?e=${DIGITS%?}$(((${DIGITS: -1} + 1) % 10))" '<div id="damaged" class="damaged">' '<div id="card" class="card" hidden="">'
exit "$FAILED"
