#!/usr/bin/env bash
# Builds Globbet and starts it. Installs what it needs first; safe to run again.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh globbet_game

# The game names its data files (clp/, wav/) and keeps its state files relative to its current folder.
echo "== starting the game in build/release/data"
cd build/release/data
exec ../globbet "$@"
