// SPDX-FileCopyrightText: 2026 Equipe Vorkade
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "effort.h"
#include "levelmaker.h"
#include "prng.h"

#include <string>
#include <vector>

namespace levelgen
{

// The two big levels, which make the play window crop its picture.
inline constexpr int WideLevel = 270;
inline constexpr int TallLevel = 280;

// A big level: chambers in a row (wide) or in a column (tall), each joined to the next
// by a door that bends. A box pushed into a door can never leave it and blocks the
// only way between two chambers, so no solution does it: each chamber keeps its boxes,
// the keeper enters it by one door and leaves by the next, and the optimal push count
// is the sum of the chambers' own, each found by a reverse search run to the end. Its
// detour and must-expand count are the sums of the chambers' (MeasureChambers).
TMadeLevel MakeChamberLevel(TPrng &rng, bool wide);

// The planner's figures of a big level, from its rows as the level text holds them:
// each chamber is measured on its floor and its two doors, all the keeper can use
// while he works in it, entering by the first door, and the figures are summed
// (Solution left empty). Complete only when every chamber's search is.
TEffort MeasureChambers(const std::vector<std::string> &rows, bool wide);

} // namespace levelgen
