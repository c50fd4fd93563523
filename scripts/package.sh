#!/usr/bin/env bash
# Builds Globbet and makes its Debian package, build/release/globbet_<version>_<arch>.deb: CPack's DEB
# generator on the install rules' Debian layout (dist/install.cmake). Installs what it needs first;
# safe to run again. Install the package with: sudo apt-get install ./build/release/globbet_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
JOBS=$(nproc 2>/dev/null || echo 2)

echo "== installing build dependencies"
bash scripts/deps.sh

echo "== building and packaging (build/release)"
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build/release -j"$JOBS" --target package
