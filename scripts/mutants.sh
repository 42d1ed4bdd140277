#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Equipe Vorkade
# SPDX-License-Identifier: GPL-3.0-or-later

# Mutation check: mutants made by rule from the tokens of src/, drawn by seed,
# each built in a scratch copy of the tree and run against the unit tests that
# link its file, then, if none fails, against the end-to-end scenarios. A mutant
# that survives both must be on scripts/mutants-equivalent.txt with the reason
# no behaviour can change, or the run fails. It takes many minutes, so the test
# command does not run it.
#
# Usage: scripts/mutants.sh [--seed S] [--sample N | --all | --fixed | --count | --list]
#   --seed S     the draw's seed; without it a new one, printed first
#   --sample N   how many sites to draw (150 when neither this nor --all is given)
#   --all        every site
#   --fixed      the hand-written faults of scripts/mutants-fixed.txt instead
#   --count      only count the sites, by file and by operator
#   --list       only list the sites, each with its key
#   --file F     only the sites of file F (src/...), which may be given again
#   --dir D      scratch folder, kept between runs (build-mutants/)
#   --no-e2e     leave the end-to-end scenarios out
# The report goes to build-mutants/report-<seed>.md (report-fixed.md), each
# mutant's build and test output to build-mutants/logs/<seed>/.
#
# The sites come from libclang's Python bindings (python3-clang), which only
# Debian's own interpreter has.
set -euo pipefail
exec /usr/bin/python3 -B "$(dirname "$0")/mutants/run.py" "$@"
