// SPDX-FileCopyrightText: 2026 Equipe Vorkade
// SPDX-License-Identifier: GPL-3.0-or-later

#include "solution.h"

#include "ulevels.h"
#include "urules.h"

#include <algorithm>

namespace levelgen
{

namespace
{

// Letters of a shortest walk from `from` to `to` around the boxes; ties go to the
// direction first in letter order, so the walk is always the same.
std::string Walk(const TRoom &room, const std::vector<char> &occupied, int from, int to)
{
    std::vector<int> cameBy(room.FloorCount(), -1);
    std::vector<int> queue{from};
    cameBy[from] = DirectionCount;
    for (std::size_t i = 0; i < queue.size() && cameBy[to] < 0; ++i) {
        for (int d = 0; d < DirectionCount; ++d) {
            const int next = room.Next(queue[i], d);
            if (next >= 0 && !occupied[next] && cameBy[next] < 0) {
                cameBy[next] = d;
                queue.push_back(next);
            }
        }
    }
    std::string letters;
    for (int cell = to; cell != from; cell = room.Next(cell, Opposite(cameBy[cell])))
        letters += WalkLetters[cameBy[cell]];
    std::reverse(letters.begin(), letters.end());
    return letters;
}

// The grid as the game holds it.
TLevel LevelOf(const std::vector<std::string> &rows)
{
    const TLines lines(rows.begin(), rows.end());
    TLevel level;
    ReadLevelGrid(level, lines);
    return level;
}

} // namespace

std::string SolutionLetters(const TPuzzle &start, const std::vector<TPush> &pushes)
{
    const TRoom &room = start.Room;
    std::vector<char> occupied(room.FloorCount(), 0);
    for (const int box : start.Boxes)
        occupied[box] = 1;
    int keeper = start.Keeper;
    std::string letters;
    for (const TPush &push : pushes) {
        letters += Walk(room, occupied, keeper, room.Next(push.From, Opposite(push.Direction)));
        letters += PushLetters[push.Direction];
        occupied[push.From] = 0;
        occupied[room.Next(push.From, push.Direction)] = 1;
        keeper = push.From;
    }
    return letters;
}

bool ReplaySolves(const std::vector<std::string> &rows, std::string_view letters)
{
    TLevel level = LevelOf(rows);
    return ReplayLetters(level.Tablo, level.Width, level.Height, letters) == letters.size() &&
           IsSolvedTablo(level.Tablo);
}

std::vector<char> CellsUsed(const TPuzzle &start, std::string_view letters)
{
    const TRoom &room = start.Room;
    std::vector<char> used(room.FloorCount(), 0);
    std::vector<char> occupied(room.FloorCount(), 0);
    for (const int box : start.Boxes)
        used[box] = occupied[box] = 1;
    int keeper = start.Keeper;
    used[keeper] = 1;
    for (const char letter : letters) {
        const int d = LetterDirection(letter);
        const int next = room.Next(keeper, d);
        if (occupied[next]) {
            const int to = room.Next(next, d);
            occupied[next] = 0;
            occupied[to] = used[to] = 1;
        }
        keeper = next;
        used[keeper] = 1;
    }
    return used;
}

} // namespace levelgen
