#!/bin/sh
# Builds everything into build/ and runs the whole test suite.
set -eu
cd "$(dirname "$0")/.."
./scripts/install-deps.sh

jobs=$(nproc 2>/dev/null || echo 2)
cmake --preset default
cmake --build build --parallel "$jobs"
ctest --preset default --parallel "$jobs"
