#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages that building, testing and the demo need.
# Quiet and quick when everything is present already.
set -euo pipefail

packages=(
  g++ make cmake ninja-build pkg-config   # toolchain
  qt6-base-dev libgl-dev                  # Qt 6 Widgets (OpenGL headers are part of Qt's CMake config)
  libgtest-dev libbenchmark-dev           # unit tests and benchmarks
  clang libclang-rt-14-dev                # `make fuzz`: libFuzzer and its sanitizers
  xvfb xauth x11-apps                     # headless X server for the demo check and screenshots (xwd)
  fonts-dejavu-core                       # a fixed font set, so rendered text is the same on every machine
  fonts-freefont-ttf                      # the monitor's line-end symbols (␍ ␊), which DejaVu lacks
  locales-all                             # a German locale for the tests of texts in a German session
  qt6-translations-l10n                   # Qt's own texts (file dialogs, standard buttons) in the user's language
  qt6-l10n-tools qt6-tools-dev            # lrelease builds Kurvex's translations, lupdate checks them (and CMake finds both)
  librsvg2-bin                            # rsvg-convert: the icon's PNG sizes from its SVG
  desktop-file-utils appstream groff-base # validators of the installed desktop entry, metainfo and manual pages
  libxml2-utils shared-mime-info          # xmllint and update-mime-database: the check of the setup files' MIME type
  dpkg-dev file                           # `make package`: dpkg-shlibdeps finds the .deb's dependencies
  python3                                 # data/changelog.py: the package changelog from the release notes
  lintian                                 # the Debian package's own check, run by the package test
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
