// SPDX-FileCopyrightText: 2026 Equipe Vorkade
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace levelgen
{

// One level as the generator leaves it: its grid rows (all of one length), a
// push-optimal solution, and the figures the statistics table reports.
struct TMadeLevel {
    std::vector<std::string> Rows;
    std::string Solution;
    int Boxes = 0;
    int Pushes = 0; // optimal
    int BoxChanges = 0;
    std::int64_t StatesSearched = 0;
    // How deep the level is (effort.h): its detour and the states every push-optimal A*
    // with the matching bound expands, whatever its order of ties; a chambered level
    // sums its chambers'. -1 until measured.
    int Detour = -1;
    std::int64_t BelowOptimum = -1;
};

// Level `number` (1..280): 1..10 are the tutorial, then ten per world. The result is
// a pure function of the arguments; `salt` is raised only to replace a level that
// came out equal to an earlier one.
TMadeLevel MakeLevel(std::uint64_t masterSeed, int number, int salt);

// 0 for the tutorial, else 1..27.
int WorldOf(int number);

} // namespace levelgen
