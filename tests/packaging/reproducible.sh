#!/bin/sh
# SPDX-FileCopyrightText: 2026 Equipe Vorkade
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds the Debian package twice from the same source, as two packagers
# would: copies of the tracked files in two unrelated folders, built one after
# the other (so at different times, the second copy's files touched afresh),
# with different umasks, time zones and locales. The two .deb files must be the
# same byte for byte; when they are not, diffoscope says where they differ.
# The first one is then left in OUTPUT_DIR for the other packaging tests.
#
#   reproducible.sh SOURCE_DIR OUTPUT_DIR
set -eu
source_dir=$(cd "$1" && pwd)
output=$2

scratch=$(mktemp -d "${TMPDIR:-/tmp}/vorkade-reproducible.XXXXXX")
trap 'rm -rf "$scratch"' EXIT

# Every date in the package is the last commit's.
SOURCE_DATE_EPOCH=$(git -C "$source_dir" log -1 --format=%ct)
export SOURCE_DATE_EPOCH

# The tracked files as they stand in the working tree (a clean checkout in CI).
copy_source() {
  mkdir -p "$1"
  (cd "$source_dir" && git ls-files -z | tar --null -T - -cf -) | tar -xf - -C "$1"
}

copy_source "$scratch/a/vorkade2"
(cd "$scratch/a/vorkade2" && umask 022 && TZ=UTC LC_ALL=C.UTF-8 \
  ./scripts/package.sh "$scratch/a/out") >"$scratch/a.log" 2>&1 ||
  { cat "$scratch/a.log"; exit 1; }

copy_source "$scratch/b/another/deeper/place"
find "$scratch/b" -exec touch {} +
(cd "$scratch/b/another/deeper/place" && umask 002 && TZ=Pacific/Kiritimati LC_ALL=C \
  ./scripts/package.sh "$scratch/b/out") >"$scratch/b.log" 2>&1 ||
  { cat "$scratch/b.log"; exit 1; }

first=$(ls "$scratch"/a/out/vorkade2_*.deb)
second=$(ls "$scratch"/b/out/vorkade2_*.deb)
sha256sum "$first" "$second"
if ! cmp -s "$first" "$second"; then
  echo "The two builds differ:" >&2
  diffoscope --text - "$first" "$second" >&2 || true
  exit 1
fi

mkdir -p "$output"
rm -f "$output"/vorkade2_*.deb
cp "$first" "$output/"
echo "Both builds gave $(basename "$first"), SOURCE_DATE_EPOCH=$SOURCE_DATE_EPOCH"
