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

// The grid as the game holds it, and its cell at (x, y) with the edges reading as walls do.
TLevel LevelOf(const std::vector<std::string> &rows)
{
    const TLines lines(rows.begin(), rows.end());
    TLevel level;
    ReadLevelGrid(level, lines);
    return level;
}

char CellOf(const TLevel &level, int x, int y)
{
    return ReadCell(level.Tablo, level.Width, level.Height, x, y);
}

// Moves the keeper one letter through the rewrite tables; false when the letter does
// not do what its case says.
bool PlayLetter(TLevel &level, int &x, int &y, char letter)
{
    const int d = LetterDirection(letter);
    const bool push = IsPushLetter(letter);
    if (d < 0)
        return false;
    const int xs[3] = {x, x + DeltaX[d], x + 2 * DeltaX[d]};
    const int ys[3] = {y, y + DeltaY[d], y + 2 * DeltaY[d]};
    const char before[3] = {CellOf(level, xs[0], ys[0]), CellOf(level, xs[1], ys[1]),
                            CellOf(level, xs[2], ys[2])};
    const std::array<char, 3> after = RewriteCells(before[0], before[1], before[2]);
    const bool moved = after[0] != before[0];
    if (!moved || IsBoxCell(before[1]) != push)
        return false;
    for (int i = 0; i < 3; ++i) {
        if (CellOf(level, xs[i], ys[i]) != OutsideCell)
            level.Tablo[xs[i]][ys[i]] = after[i];
    }
    x = xs[1];
    y = ys[1];
    return true;
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
    int x = -1;
    int y = -1;
    for (std::size_t row = 0; row < rows.size(); ++row) {
        for (std::size_t column = 0; column < rows[row].size(); ++column) {
            if (IsKeeperCell(rows[row][column])) {
                x = static_cast<int>(column);
                y = static_cast<int>(row);
            }
        }
    }
    for (std::size_t i = 0; i < letters.size(); ++i) {
        if (IsSolvedTablo(level.Tablo) || !PlayLetter(level, x, y, letters[i]))
            return false;
    }
    return IsSolvedTablo(level.Tablo);
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
