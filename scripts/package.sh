#!/bin/sh
# SPDX-FileCopyrightText: 2026 Equipe Vorkade
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds the Debian package as Debian builds its own: with the flags of
# dpkg-buildflags (hardening: PIE, bind-now, RELRO, fortified functions, stack
# protector) and with every date in it taken from SOURCE_DATE_EPOCH, so that
# the same source gives the same .deb byte for byte wherever and whenever it is
# built.
#
#   scripts/package.sh [OUTPUT_DIR]     (default: build-package/)
#
# Builds in build-package/ inside the source tree; writes
# OUTPUT_DIR/vorkade2_<version>_<arch>.deb and prints its path last.
# SOURCE_DATE_EPOCH, when not set, is the time of the last commit.
set -eu
cd "$(dirname "$0")/.."
source_dir=$(pwd)
./scripts/install-deps.sh

output=${1:-build-package}
mkdir -p "$output"
output=$(cd "$output" && pwd)

if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
  if ! SOURCE_DATE_EPOCH=$(git -C "$source_dir" log -1 --format=%ct 2>/dev/null); then
    echo "package.sh: not a git checkout; set SOURCE_DATE_EPOCH to the source's date" >&2
    exit 1
  fi
fi
export SOURCE_DATE_EPOCH
# As dpkg-buildpackage does: the modes of what is built, and of the archive
# members of the .deb itself, do not follow the builder's umask.
umask 022

# Debian's flags for this machine, all hardening included (bind-now is not on by
# default). CMake reads CXXFLAGS and LDFLAGS but not CPPFLAGS, which carries
# _FORTIFY_SOURCE, so the preprocessor's flags go with the compiler's. The
# -ffile-prefix-map in them maps this directory (the current one) to ".", so no
# build path is left in the program: the build tree lies inside it.
DEB_BUILD_MAINT_OPTIONS=hardening=+all
export DEB_BUILD_MAINT_OPTIONS
eval "$(dpkg-buildflags --export=sh)"
CXXFLAGS="$CPPFLAGS $CXXFLAGS"
export CXXFLAGS LDFLAGS
unset CPPFLAGS CFLAGS

build=build-package
jobs=$(nproc 2>/dev/null || echo 2)
# A fresh tree each time: flags are read only when a tree is first configured.
rm -rf "$build/CMakeCache.txt" "$build/CMakeFiles"
# "None": only Debian's flags, as Debian's own CMake builds have it.
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=None \
  -DVORKADE_TESTS=OFF -DVORKADE_BENCHMARKS=OFF -DVORKADE_DEBIAN_PACKAGE=ON
cmake --build "$build" --parallel "$jobs" --target Vorkade2 vorkade_icon
(cd "$build" && cpack -G DEB -B "$output")
rm -rf "$output/_CPack_Packages"
ls "$output"/vorkade2_*.deb
