#!/usr/bin/env bash
# Installs the Debian packages that building, playing and testing Globbet need.
# Safe to run again: packages already present are skipped.
set -euo pipefail

PACKAGES=(
  build-essential cmake pkg-config
  libsdl2-dev libsdl2-mixer-dev libjpeg62-turbo-dev libcairo2-dev libfontconfig-dev libx11-dev fonts-liberation2
  libgtest-dev libgmock-dev libbenchmark-dev
  # the sanitizer build and the fuzz targets: clang only recommends its sanitizer and libFuzzer runtime
  clang libclang-rt-dev
  xvfb xauth xdotool x11-utils imagemagick xfonts-base
  # the install test validates the menu entry, the metainfo and the scalable icon with these
  desktop-file-utils appstream librsvg2-bin libxml2-utils man-db
  # the Debian package: its dependencies from the binaries (dpkg-shlibdeps), and its check
  dpkg-dev file lintian
  # the memory check of a played session
  valgrind
  # the end-to-end check of the game's own web pages in a real browser
  chromium
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "deps: all ${#PACKAGES[@]} packages already installed"
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
echo "deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
$SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
