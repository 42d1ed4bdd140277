#!/bin/sh
# SPDX-FileCopyrightText: 2026 Equipe Vorkade
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs every Debian 12 package that building, running and testing the game need.
# Safe to run again: apt-get skips what is already there.
set -eu

packages="
  build-essential cmake ninja-build pkg-config git
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins qt6-translations-l10n
  libgl-dev fonts-dejavu-core
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev llvm clang-tidy clazy
  xvfb xdotool x11-apps x11-utils imagemagick python3 libx11-6
  desktop-file-utils appstream dpkg-dev fakeroot file lintian man-db
  devscripts diffoscope-minimal reuse python3-clang lld
  qt6-wayland weston openbox sway wtype grim util-linux
"

if [ "$(id -u)" -eq 0 ]; then
  sudo=""
else
  sudo="sudo"
fi

missing=""
for p in $packages; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing="$missing $p"
  fi
done

if [ -n "$missing" ]; then
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update
  # shellcheck disable=SC2086
  $sudo apt-get install -y --no-install-recommends $missing
fi
