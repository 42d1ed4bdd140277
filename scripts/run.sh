#!/bin/sh
# SPDX-FileCopyrightText: 2026 Equipe Vorkade
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds the game into build/ and starts it.
set -eu
cd "$(dirname "$0")/.."
./scripts/install-deps.sh

jobs=$(nproc 2>/dev/null || echo 2)
cmake --preset default
cmake --build build --parallel "$jobs" --target Vorkade2
exec ./build/src/vorkade2
