#!/usr/bin/env bash
# Installs what building needs and builds the normal build (build/release): the given target, or all.
# What the start, package and test commands share; safe to run again.
#   scripts/build.sh [TARGET]
set -euo pipefail
cd "$(dirname "$0")/.."

echo "== installing build and test dependencies"
bash scripts/deps.sh

echo "== normal build (build/release)"
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build/release -j"$(nproc 2>/dev/null || echo 2)" ${1:+--target "$1"}
