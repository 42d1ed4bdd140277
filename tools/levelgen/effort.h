// SPDX-FileCopyrightText: 2026 Equipe Vorkade
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "analysis.h"
#include "puzzle.h"

#include <cstdint>
#include <vector>

namespace levelgen
{

// How hard a level is for a planner: the states a push-optimal A* expands before it
// takes the solved position. Its bound is the least total of lone-box distances over
// every pairing of boxes and targets; pushes onto cells from which no target can be
// reached, and pushes that close a 2 x 2 block of walls and boxes with a box off its
// target, are never made. Among states of equal bound the deeper one is expanded
// first, and among those the newest, so the count is the same on every run.
// What the search still has to expand is what the level hides from a plan that only
// counts distances.
struct TEffort {
    std::int64_t Expanded = 0;
    int Pushes = -1;             // the optimal push count, -1 when not found
    bool Complete = false;       // false when the search stopped at its budget
    std::vector<TPush> Solution; // the pushes of one optimal solution, when found
};

// At most 20 boxes; a larger puzzle comes back incomplete without a search.
TEffort MeasureEffort(const TPuzzle &puzzle, std::int64_t maxExpanded);

} // namespace levelgen
