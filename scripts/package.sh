#!/usr/bin/env bash
# Builds Globbet and makes its Debian package, build/release/globbet_<version>_<arch>.deb: CPack's DEB
# generator on the install rules' Debian layout (dist/install.cmake). Installs what it needs first;
# safe to run again. Install the package with: sudo apt-get install ./build/release/globbet_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh package
