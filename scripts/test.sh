#!/bin/sh
# SPDX-FileCopyrightText: 2026 Equipe Vorkade
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds everything into build/ and runs the whole test suite; then runs the unit
# tests again under AddressSanitizer and UndefinedBehaviorSanitizer (build-sanitize/),
# lints the sources, and gives each libFuzzer target a bounded run from its seed
# corpus (build-fuzz/).
set -eu
cd "$(dirname "$0")/.."
./scripts/install-deps.sh

jobs=$(nproc 2>/dev/null || echo 2)
cmake --preset default
cmake --build build --parallel "$jobs"
ctest --preset default --parallel "$jobs"

# The preset's tests stop at the first sanitizer report, leaks included.
cmake --preset sanitize
cmake --build build-sanitize --parallel "$jobs"
ctest --preset sanitize --parallel "$jobs"

# Seconds per fuzz target; the committed corpus stays as it is, what a run finds goes to
# a scratch corpus, and an input that fails is kept in build-fuzz/findings/.
fuzz_seconds=30
cmake --preset fuzz
cmake --build --preset fuzz --parallel "$jobs"

# clang-tidy and clazy over src/, tools/ and fuzz/, with the compile commands of
# build/ and build-fuzz/.
./scripts/lint.sh

mkdir -p build-fuzz/findings
for target in parser moves editor; do
  # Each target reaches all it checks with short inputs; longer ones only slow it down.
  # The parser is also given the words it looks for.
  dict=
  case $target in
    parser) max_len=256 dict=-dict=fuzz/parser.dict ;;
    moves) max_len=16 ;;
    editor) max_len=64 ;;
  esac
  scratch=$(mktemp -d)
  status=0
  "build-fuzz/fuzz/fuzz_$target" -max_total_time="$fuzz_seconds" -timeout=10 \
    -max_len="$max_len" $dict -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="build-fuzz/findings/$target-" \
    "$scratch" "fuzz/corpus/$target" >"build-fuzz/fuzz_$target.log" 2>&1 || status=$?
  rm -rf "$scratch"
  grep -E '^(Done|stat::number_of_executed_units)' "build-fuzz/fuzz_$target.log" || true
  if [ "$status" -ne 0 ]; then
    tail -n 60 "build-fuzz/fuzz_$target.log"
    echo "fuzz_$target found a failing input (exit status $status)" >&2
    exit 1
  fi
done
