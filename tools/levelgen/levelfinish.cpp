// SPDX-FileCopyrightText: 2026 Equipe Vorkade
// SPDX-License-Identifier: GPL-3.0-or-later

#include "levelfinish.h"

#include "solution.h"

#include <algorithm>
#include <stdexcept>

namespace levelgen
{

namespace
{

int UnusedCount(const std::vector<char> &used)
{
    return static_cast<int>(std::count(used.begin(), used.end(), 0));
}

int DeadCount(const TPuzzle &puzzle)
{
    const std::vector<char> live = LiveCells(LoneBoxDistances(puzzle.Room, puzzle.Targets));
    return static_cast<int>(std::count(live.begin(), live.end(), 0));
}

TPuzzle Trimmed(const TPuzzle &start, const std::string &letters, const TFinishRules &rules)
{
    const std::vector<char> used = CellsUsed(start, letters);
    if (!rules.Trim || UnusedCount(used) == 0)
        return start;
    TPuzzle trimmed = start.WithFloor(used);
    if (rules.RejectGreedy && GreedySolves(trimmed))
        return start;
    return trimmed;
}

} // namespace

TMadeLevel FinishLevel(const TPuzzle &start, const std::vector<TPush> &pushes,
                       const TFinishRules &rules)
{
    const TSolutionShape shape = ShapeOf(start.Room, pushes);
    const int boxes = static_cast<int>(start.Boxes.size());
    if (rules.RequireReturn && boxes >= 2 && shape.BoxChanges < boxes)
        return {};
    const std::string letters = SolutionLetters(start, pushes);
    const TPuzzle level = Trimmed(start, letters, rules);
    if (rules.RejectGreedy && GreedySolves(level))
        return {};
    // At most a quarter of the floor unused, at most two fifths dead for boxes.
    const int floor = level.Room.FloorCount();
    if (rules.LimitFloor &&
        (UnusedCount(CellsUsed(level, letters)) * 4 > floor || DeadCount(level) * 5 > floor * 2))
        return {};
    TMadeLevel made{.Rows = level.Rows(),
                    .Solution = letters,
                    .Boxes = boxes,
                    .Pushes = shape.Pushes,
                    .BoxChanges = shape.BoxChanges,
                    .StatesSearched = 0};
    if (!ReplaySolves(made.Rows, made.Solution))
        throw std::logic_error("a generated solution does not replay");
    return made;
}

} // namespace levelgen
