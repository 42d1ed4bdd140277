#!/bin/sh
# SPDX-FileCopyrightText: 2026 Equipe Vorkade
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds into build/ and runs every benchmark: the per-event benchmarks of the
# levels and the windows (medians of 10 repetitions), then the start-up
# benchmark against a bare Qt frame. Takes about two minutes on two cores.
set -eu
cd "$(dirname "$0")/.."
./scripts/install-deps.sh

jobs=$(nproc 2>/dev/null || echo 2)
cmake --preset default
cmake --build build --parallel "$jobs" --target bench_levels bench_windows Vorkade2 bare_frame startup_stages

for bench in bench_levels bench_windows; do
  echo
  "./build/bench/$bench" --benchmark_repetitions=10 --benchmark_display_aggregates_only=true
done

echo
bench/startup/startup.sh build 20
