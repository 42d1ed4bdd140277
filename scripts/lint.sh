#!/bin/sh
# SPDX-FileCopyrightText: 2026 Equipe Vorkade
# SPDX-License-Identifier: GPL-3.0-or-later

# Runs clang-tidy (the checks in .clang-tidy) and clazy (Qt's own pitfalls, at its
# default level) over the sources of src/, tools/ and fuzz/, and fails on any finding.
# Needs the compile commands of build/ and build-fuzz/ (cmake --preset default, fuzz).
set -eu
cd "$(dirname "$0")/.."

jobs=$(nproc 2>/dev/null || echo 2)
log=$(mktemp)
trap 'rm -f "$log"' EXIT

# Each file with the build whose compile commands hold it: the fuzz targets are
# built only by the clang tree.
lint() {
  tree=$1
  shift
  printf '%s\n' "$@" | xargs -P "$jobs" -n 2 clang-tidy -p "$tree" --quiet >>"$log" 2>&1 || true
  printf '%s\n' "$@" | xargs -P "$jobs" -n 2 clazy-standalone -p "$tree" >>"$log" 2>&1 || true
}

lint build src/*.cpp src/*/*.cpp tools/*/*.cpp
lint build-fuzz fuzz/*.cpp

# Both tools print "N warnings generated." even when every warning was filtered out;
# a finding is a line that names a file, a line and a column.
if grep -E '^[^ ]+:[0-9]+:[0-9]+: (warning|error):|^Error |Compile command not found' "$log"; then
  echo "lint: the findings above must be mended" >&2
  exit 1
fi
echo "lint: clang-tidy and clazy found nothing in src/, tools/ and fuzz/"
