// SPDX-FileCopyrightText: 2026 Equipe Vorkade
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "cellset.h"
#include "puzzle.h"

#include <span>
#include <vector>

namespace levelgen
{

// One push: the box on `From` moves one cell in `Direction`.
struct TPush {
    int From = -1;
    int Direction = 0;
};

// The push that takes box set `before` to `after`, sets that differ by one box moved
// one cell.
TPush PushBetween(const TRoom &room, TCellSet before, TCellSet after);

// [target index][cell]: the fewest pushes that bring a lone box from the cell onto the
// target, counting a push possible whenever the cell behind the box is floor; -1 when
// no sequence of pushes does it. A relaxation, so it never overstates.
using TDistances = std::vector<std::vector<int>>;
TDistances LoneBoxDistances(const TRoom &room, const std::vector<int> &targets);

// Cells from which a lone box can reach some target: a box anywhere else is lost.
std::vector<char> LiveCells(const TDistances &distances);

// The least total of lone-box distances over every way of giving each box its own
// target: a lower bound of the optimal push count. -1 when no assignment exists. As
// many boxes as targets, at most MaxMatchedBoxes.
inline constexpr int MaxMatchedBoxes = 20;
int MatchingBound(const TDistances &distances, std::span<const int> boxes);

// How a push sequence reads: box changes count the pushes that move another box
// than the push before; a box line is a run of pushes of one box in one direction.
struct TSolutionShape {
    int Pushes = 0;
    int BoxChanges = 0;
    int BoxLines = 0;
};
TSolutionShape ShapeOf(const TRoom &room, const std::vector<TPush> &pushes);

// A player who never plans ahead: each turn it takes, among the boxes not on a target,
// the box and free target nearest in pushes (other boxes standing still) and pushes
// that box all the way. True when it ends with every box on a target. A room of at
// most MaxSetCells floor cells.
bool GreedySolves(const TPuzzle &puzzle);

} // namespace levelgen
