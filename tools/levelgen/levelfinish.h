// SPDX-FileCopyrightText: 2026 Equipe Vorkade
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "analysis.h"
#include "levelmaker.h"
#include "puzzle.h"

#include <vector>

namespace levelgen
{

struct TFinishRules {
    bool RejectGreedy = false; // turn down levels the greedy player solves
    bool Trim = true;          // take out the floor the solution never uses
    bool RequireReturn = true; // turn down solutions that never come back to a box
    bool LimitFloor = true;    // turn down rooms with much dead or unused floor
};

// The level as the player meets it, from a start position and a push-optimal push
// sequence, or a level without rows when it is not worth keeping: a solution that
// never comes back to a box it left, a greedy player's win, or a room with much dead
// or unused floor. Floor the solution never uses is walled up unless that lets the
// greedy player through.
TMadeLevel FinishLevel(const TPuzzle &start, const std::vector<TPush> &pushes,
                       const TFinishRules &rules);

} // namespace levelgen
