// SPDX-FileCopyrightText: 2026 Equipe Vorkade
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "analysis.h"
#include "puzzle.h"

#include <string>
#include <string_view>
#include <vector>

namespace levelgen
{

// The letters of a push sequence played from `start`: before each push, the keeper's
// shortest walk to the cell behind the box (lower-case letters), then the push
// (upper-case). Each push must be possible once the keeper gets there.
std::string SolutionLetters(const TPuzzle &start, const std::vector<TPush> &pushes);

// Plays the letters on the rows as the game does (ReplayLetters). True when every
// lower-case letter is a step that pushes nothing, every upper-case letter pushes a
// box, and the grid is solved after the last letter and after no earlier one.
bool ReplaySolves(const std::vector<std::string> &rows, std::string_view letters);

// Per floor cell: whether the keeper or a box stands on it at some point of the play.
std::vector<char> CellsUsed(const TPuzzle &start, std::string_view letters);

} // namespace levelgen
