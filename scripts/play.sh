#!/usr/bin/env bash
# Builds Globbet and starts it. Installs what it needs first; safe to run again.
set -euo pipefail
cd "$(dirname "$0")/.."
JOBS=$(nproc 2>/dev/null || echo 2)

echo "== installing build dependencies"
bash scripts/deps.sh

echo "== building (build/release)"
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build/release -j"$JOBS" --target globbet_game

# The game names its data files (clp/, wav/) and keeps its state files relative to its current folder.
echo "== starting the game in build/release/data"
cd build/release/data
exec ../globbet "$@"
