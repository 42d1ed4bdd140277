// SPDX-FileCopyrightText: 2026 Equipe Vorkade
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "urules.h"

#include <array>
#include <vector>

namespace levelgen
{

// What a cell of a room is: outside it, one of its walls, or its floor.
enum class TRoomTile : char { Blank, Wall, Floor };

// Walls, floor and blank cells on a grid. The floor is one 4-connected area closed by
// walls; its cells are numbered 0..FloorCount() - 1 row by row from the top left, and
// the puzzle code speaks of cells by these numbers.
class TRoom
{
public:
    TRoom() = default;
    // Floor where `floor` holds a non-zero byte (row-major, width x height): keeps the
    // largest 4-connected part, walls every cell touching it (diagonals included),
    // blanks the rest, and crops to the walls.
    static TRoom FromFloor(int width, int height, const std::vector<char> &floor);

    // Where the room's column 0 and row 0 lay on the grid FromFloor was given.
    int OriginX() const { return myOriginX; }
    int OriginY() const { return myOriginY; }
    int Width() const { return myWidth; }
    int Height() const { return myHeight; }
    int FloorCount() const { return static_cast<int>(myX.size()); }
    TRoomTile Tile(int x, int y) const;
    // The floor number of (x, y), or -1 when that cell is not floor (or outside).
    int FloorAt(int x, int y) const;
    int X(int cell) const { return myX[cell]; }
    int Y(int cell) const { return myY[cell]; }
    // The floor cell next to `cell` in `direction`, or -1.
    int Next(int cell, int direction) const { return myNext[cell][direction]; }

private:
    void Number();

    int myOriginX = 0;
    int myOriginY = 0;
    int myWidth = 0;
    int myHeight = 0;
    std::vector<TRoomTile> myTiles;
    std::vector<int> myFloorAt;
    std::vector<int> myX;
    std::vector<int> myY;
    std::vector<std::array<int, DirectionCount>> myNext;
};

} // namespace levelgen
