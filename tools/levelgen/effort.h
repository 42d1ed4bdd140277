// SPDX-FileCopyrightText: 2026 Equipe Vorkade
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "analysis.h"
#include "puzzle.h"

#include <cstdint>
#include <vector>

namespace levelgen
{

// How deep a level is, by a push-optimal A* search. Its bound is the least total of
// lone-box distances over every pairing of boxes and targets; pushes onto cells from
// which no target can be reached, and pushes that close a 2 x 2 block of walls and
// boxes with a box off its target, are never made. The bound never falls by more than
// one a push, so every A* with it expands each state whose pushes so far plus bound
// stay below the optimum, whatever its order of ties: their number, BelowOptimum, and
// the Detour (the optimum less the bound at the start) are the level's depth. Expanded
// also counts the states of bound plus pushes equal to the optimum that this search
// takes before the solved one (the deeper first, then the newest), which only its
// order of ties decides.
struct TEffort {
    std::int64_t Expanded = 0;     // all of this search's expansions
    std::int64_t BelowOptimum = 0; // when Complete and solved
    int Detour = -1;               // when Complete and solved
    int Pushes = -1;               // the optimal push count, -1 when not found
    bool Complete = false;         // false when the search stopped at its budget
    std::vector<TPush> Solution;   // the pushes of one optimal solution, when found
};

// At most 20 boxes; a larger puzzle comes back incomplete without a search. The search
// stops, incomplete, after `maxExpanded` expansions, or as soon as `maxBelow` of them
// are known to lie below the optimum (all those of the layers it has finished).
TEffort MeasureEffort(const TPuzzle &puzzle, std::int64_t maxExpanded,
                      std::int64_t maxBelow = INT64_MAX);

} // namespace levelgen
